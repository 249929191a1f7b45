#include <gtest/gtest.h>

#include "push/push_frames.h"

namespace {

TEST(PushFrames, aSubscriptionNamesItsEventAndRequest) {
  EXPECT_EQ(SubscribeFrame("patient_accept", "r-1"),
            R"({"command":"subscribe","event":"patient_accept","req.id":"r-1"})");
}

TEST(PushFrames, eachFrameIsReadForWhatTheListNeeds) {
  using Kind = PushFrame::Kind;
  const struct {
    const char* text;
    Kind kind;
    const char* day;     // of an event
    const char* detail;  // the request id, the error's message or the event's patient
  } cases[] = {
      {R"({"command":"subscribed","req.id":"r-1","sub.id":"s-42"})", Kind::Subscribed, "", "r-1"},
      {R"({"command":"error","req.id":"r-2","message":"no such event"})", Kind::Error, "", "no such event"},
      {R"({"command":"event","data":{"event":"patient_accept","user":"ormaster","time":"2025-06-12T09:41:07+0900",)"
       R"("body":{"Patient_Mode":"add","Patient_ID":"00123","Accept_Date":"2025-06-11","Accept_Time":"09:41:07"}}})",
       Kind::Event, "2025-06-11", "00123"},
      // Billing changes the list of the visit's day, not of the day it was billed.
      {R"({"command":"event","data":{"event":"patient_account","time":"2025-06-12T09:41:07+0900",)"
       R"("body":{"Patient_ID":"00007","Information_Date":"2025-06-12","Perform_Date":"2025-06-10"}}})",
       Kind::Event, "2025-06-10", "00007"},
      {R"({"command":"event","data":{"event":"patient_accept","time":"2025-06-12T09:41:07+0900","body":{}}})",
       Kind::Event, "2025-06-12", ""},
      {R"({"command":"hello"})", Kind::Other, "", ""},
      {"", Kind::Unreadable, "", ""},
      {"{\"command\":\"event\"", Kind::Unreadable, "", ""},
      {R"(["event"])", Kind::Unreadable, "", ""},
      {R"({"command":"event","data":{"time":"2025-06-12T09:41:07+0900"}})", Kind::Unreadable, "", ""},
      {R"({"command":"event","data":{"event":"patient_accept","time":"12/06/2025"}})", Kind::Unreadable, "",
       ""},
      {R"({"command":"event","data":{"event":"patient_accept","body":{"Accept_Date":"20250612"}}})",
       Kind::Unreadable, "", ""},
  };
  for (const auto& c : cases) {
    const PushFrame frame = ReadPushFrame(QString::fromUtf8(c.text));
    EXPECT_EQ(frame.kind, c.kind) << c.text;
    if (c.kind == Kind::Event) {
      EXPECT_EQ(frame.event.day, QDate::fromString(c.day, Qt::ISODate)) << c.text;
      EXPECT_EQ(frame.event.patientId, c.detail) << c.text;
    } else if (c.kind == Kind::Subscribed) {
      EXPECT_EQ(frame.requestId, c.detail);
    } else if (c.kind == Kind::Error) {
      EXPECT_EQ(frame.message, c.detail);
    }
  }
}

}  // namespace
