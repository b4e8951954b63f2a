// The tervane program's own options, as a process.

#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/ChildProcess.h"

namespace {

struct Case {
  std::vector<std::string> arguments;
  int status;
  std::string outputStart;
  std::string errorStart;
};

TEST(WindowProgramTest, OptionsAndTheirErrors) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);  // bad options are found once Qt took its own
  const Case cases[] = {
      {{"--version"}, 0, "tervane (Tervane) 1.21\n", ""},
      {{"--help"}, 0, "usage: tervane [options]", ""},
      {{"--bogus"}, 2, "", "tervane: unknown option --bogus"},
      {{"--service-host", "-x"}, 2, "", "tervane: --service-host needs HOST or HOST:PORT"},
      {{"--service-host=h:0"}, 2, "", "tervane: --service-host needs HOST or HOST:PORT"},
      {{"--settings"}, 2, "", "tervane: --settings needs a value"},
      {{"--settings="}, 2, "", "tervane: --settings needs a file name"},
  };
  for (const Case& c : cases) {
    test::ChildProcess process(TERVANE_WINDOW_PATH, c.arguments);
    EXPECT_EQ(process.Finish(), c.status) << c.arguments[0];
    EXPECT_TRUE(process.output().starts_with(c.outputStart)) << process.output();
    // One line, whatever Qt may have said before it.
    const std::string& errors = process.errors();
    const std::size_t ours = errors.find("tervane: ");
    if (c.errorStart.empty()) continue;
    ASSERT_NE(ours, std::string::npos) << errors;
    EXPECT_TRUE(errors.substr(ours).starts_with(c.errorStart)) << errors;
    EXPECT_EQ(errors.find('\n', ours), errors.size() - 1) << errors;
  }
}

}  // namespace
