#pragma once

#include <QFile>
#include <QString>

#ifdef Q_OS_WIN
#include <windows.h>

#include <aclapi.h>

#include <QDir>
#endif

// Whether the file can be read by its owner and by no one else: its permission bits on Linux, its
// access list on Windows (an allowing entry for anyone but the owner is someone else).
inline bool ReadableByItsOwnerAlone(const QString& path) {
#ifdef Q_OS_WIN
  const QString native = QDir::toNativeSeparators(path);
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(reinterpret_cast<LPCWSTR>(native.utf16()), SE_FILE_OBJECT,
                            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr, &dacl,
                            nullptr, &descriptor) != ERROR_SUCCESS)
    return false;
  bool ownerReads = false;
  bool othersRead = dacl == nullptr;  // no list at all: everyone may
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    ACE_HEADER* header = nullptr;
    if (!GetAce(dacl, i, reinterpret_cast<void**>(&header)) || header->AceType != ACCESS_ALLOWED_ACE_TYPE)
      continue;
    auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
    const bool reads = ace->Mask & (FILE_READ_DATA | GENERIC_READ | GENERIC_ALL);
    if (!reads) continue;
    if (EqualSid(reinterpret_cast<PSID>(&ace->SidStart), owner))
      ownerReads = true;
    else
      othersRead = true;
  }
  LocalFree(descriptor);
  return ownerReads && !othersRead;
#else
  const QFile::Permissions p = QFile::permissions(path);
  return (p & QFile::ReadOwner) && (p & QFile::ReadUser) && !(p & (QFile::ReadGroup | QFile::ReadOther));
#endif
}
