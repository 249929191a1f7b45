#include "orca/connection.h"
#include "core/ini_file.h"
#include "orca/dump_file.h"
#include "orca/endpoint.h"
#include "temp_program_folder.h"

namespace {

class Connection : public TempProgramFolder {};

TEST_F(Connection, refreshIntervalIsClampedAndDefaultsTo60Seconds) {
  const std::pair<QString, int> cases[] = {
      {"", 60000},       {"abc", 60000}, {"5", 10000},      {"-30", 10000},  {"7200", 3600000},
      {" 120 ", 120000}, {"10", 10000},  {"3600", 3600000}, {"12.5", 60000},
  };
  for (const auto& [setting, ms] : cases) EXPECT_EQ(RefreshIntervalMs(setting), ms) << setting.toStdString();
  EXPECT_EQ(ReadConnection().refreshMs, 60000);  // no file at all
}

TEST_F(Connection, parallelRequestsAreOneToEightAndDefaultToFour) {
  const std::pair<QString, int> cases[] = {{"", 4},  {"1", 1},  {" 8 ", 8}, {"0", 4},
                                           {"9", 4}, {"-2", 4}, {"x", 4},   {"2.5", 4}};
  for (const auto& [setting, parallel] : cases)
    EXPECT_EQ(ParallelRequests(setting), parallel) << setting.toStdString();
  EXPECT_EQ(ReadConnection().parallel, 4);  // no file at all
}

TEST_F(Connection, reloadsFieldsAsStoredWithOnlyTheInstitutionCodeTrimmed) {
  writeFile("user.ini",
            "[PARAMA]\r\nURL=https://orca.example/api/\r\nAPIKEY=key\r\nAPIUSER=user\r\nKIKANCD= 1234567 \r\n"
            "REFRESH=\r\n");
  const OrcaConnection c = ReadConnection();
  EXPECT_EQ(c.baseUrl, "https://orca.example/api/");
  EXPECT_EQ(c.apiKey, "key");
  EXPECT_EQ(c.apiUser, "user");
  EXPECT_EQ(c.ownInstitutionCode, "1234567");
  EXPECT_EQ(c.refreshMs, 60000);
  EXPECT_TRUE(c.configured());
  OrcaConnection blank;
  blank.baseUrl = "  ";
  EXPECT_FALSE(blank.configured());
}

TEST_F(Connection, endpointFollowsTheModeReadAtEveryRequest) {
  const QString base = "https://cloud.example/api/";
  const QString path = "api01rv2/acceptlstv2?class=03";
  struct Case {
    const char* mode;
    const char* address;
    QString url;
    bool restricted;
  };
  const Case cases[] = {
      {"2", "192.168.1.20", "http://192.168.1.20:8000/api/" + path, false},
      {"2", " orca-server ", "http://orca-server:8000/api/" + path, false},
      {"2", "", base + path, false},
      {" 2 ", "10.0.0.1", "http://10.0.0.1:8000/api/" + path, false},
      {"1", "10.0.0.1", base + path, true},
      {"", "10.0.0.1", base + path, true},
      {"cloud", "", base + path, true},
  };
  for (const Case& c : cases) {
    IFWriteIniStr("COKBN", "CHCK", c.mode);
    IFWriteIniStr("PARAMA", "IPADR", c.address);
    const Endpoint e = ResolveEndpoint(base, path);
    EXPECT_EQ(e.url, c.url) << c.mode << "/" << c.address;
    EXPECT_EQ(e.restrictTo12, c.restricted) << c.mode << "/" << c.address;
  }
}

TEST(ClassicForm, isTheUrlWithoutTheApiSegmentBeforeApi01rv2) {
  const struct {
    const char* url;
    const char* classic;  // "": none
    const char* server;
  } cases[] = {
      {"http://192.168.1.20:8000/api/api01rv2/acceptlstv2?class=03",
       "http://192.168.1.20:8000/api01rv2/acceptlstv2?class=03", "http://192.168.1.20:8000"},
      {"https://orca.example.jp/weborca/api/api01rv2/patientgetv2?id=1",
       "https://orca.example.jp/weborca/api01rv2/patientgetv2?id=1", "https://orca.example.jp/weborca"},
      {"http://h:8000/api01rv2/acceptlstv2", "", ""},              // already classic
      {"http://h:8000/rest/api01rv2/acceptlstv2", "", ""},         // ORCA's other classic form
      {"http://h:8000/x?next=/api/api01rv2/acceptlstv2", "", ""},  // in the query only
      {"http://api:8000/api01rv2/api/api01rv2/", "http://api:8000/api01rv2/api01rv2/",
       "http://api:8000/api01rv2"},
  };
  for (const auto& c : cases) {
    const std::optional<ClassicForm> classic = ClassicFormOf(QString::fromLatin1(c.url));
    EXPECT_EQ(classic ? classic->url : QString(), QString::fromLatin1(c.classic)) << c.url;
    EXPECT_EQ(classic ? classic->server : QString(), QString::fromLatin1(c.server)) << c.url;
  }
}

TEST_F(Connection, aQueryValueOtherThanLettersAndDigitsIsEncodedAndNeverLeavesTheFolder) {
  struct Case {
    QString apiPath;
    QString encoded;
    QString dumpName;
  };
  const Case cases[] = {
      {"api01rv2/patientgetv2?id=123", "api01rv2/patientgetv2?id=123",
       "Res_api01rv2_patientgetv2_id_123.txt"},
      {"api01rv2/acceptlstv2?class=03", "api01rv2/acceptlstv2?class=03",
       "Res_api01rv2_acceptlstv2_class_03.txt"},
      {"api01rv2/onlinedruggetv2", "api01rv2/onlinedruggetv2", "Res_api01rv2_onlinedruggetv2.txt"},
      {"api01rv2/patientgetv2?id=../../x y", "api01rv2/patientgetv2?id=%2E%2E%2F%2E%2E%2Fx%20y",
       "Res_api01rv2_patientgetv2_id_.._.._x_y.txt"},
      {"api01rv2/patientgetv2?id=1&class=9", "api01rv2/patientgetv2?id=1%26class%3D9",
       "Res_api01rv2_patientgetv2_id_1_class_9.txt"},
      {"api01rv2/patientgetv2?id=１２", "api01rv2/patientgetv2?id=%EF%BC%91%EF%BC%92",
       "Res_api01rv2_patientgetv2_id___.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeApiPath(c.apiPath), c.encoded);
    EXPECT_EQ(DumpFilePath(c.apiPath), path(c.dumpName));
  }
}

}  // namespace
