#pragma once
// The whole program on the host doubles as a test fixture, answering requests with queued bodies.
#include "common/host_program.h"
#include "support/reply_internet.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane::testing {

// A reading as the weather service sends it (UTF-8).
inline std::string Reading(std::string_view temperature) {
    return std::string(R"({"weatherinfo":{"city":"北京","cityid":"101010100","temp":")") +
           std::string(temperature) + R"(","WD":"东南风","WS":"2级","time":"10:25"}})";
}

class ProgramTest : public ::testing::Test, public HostProgram<ReplyInternet> {
  protected:
    void StartConfigured(const char* file = kBeijingFile) {
        files.Put(u"config.ini", file);
        ASSERT_FALSE(Start().has_value());
    }
};

} // namespace korvane::testing
