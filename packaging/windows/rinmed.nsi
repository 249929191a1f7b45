; The per-user installer of リンメド: the program folder in the user's programs folder
; (%LOCALAPPDATA%\Programs\RinMed), a Start-menu entry, no administrator rights.
; makensis -DSRCDIR=<deployed folder> -DOUTFILE=<setup.exe> -DVERSION=<x.y> -DFILELIST=<files.nsh> rinmed.nsi
;
; The program writes its settings, log, answer dumps and patient cache into its own folder, and its
; client certificates into %APPDATA%\リンメド: an install over an older version replaces the program's
; files only, and the uninstaller deletes the files it installed (FILELIST) and nothing else.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define APPNAME "RinMed"
!define APPLABEL "リンメド"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APPNAME}"

Name "${APPLABEL}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APPNAME}"
InstallDirRegKey HKCU "${UNINSTKEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!include "MUI2.nsh"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${APPLABEL}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${APPLABEL} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "${APPLABEL}"

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${SRCDIR}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\${APPLABEL}"
  CreateShortCut "$SMPROGRAMS\${APPLABEL}\${APPLABEL}.lnk" "$INSTDIR\rinmed.exe"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayName" "${APPLABEL}"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\rinmed.exe"
  WriteRegStr HKCU "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTKEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  !include "${FILELIST}"
  Delete "$INSTDIR\uninstall.exe"
  ; Only empty folders go: what the program wrote keeps its folder.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APPLABEL}\${APPLABEL}.lnk"
  RMDir "$SMPROGRAMS\${APPLABEL}"
  DeleteRegKey HKCU "${UNINSTKEY}"
SectionEnd
