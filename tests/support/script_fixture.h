// A started character whose script the test writes; helpers to read flags
// and the kinds of what was logged.
#pragma once

#include <string>
#include <vector>

#include "base/bmp_writer.h"
#include "script/flags.h"
#include "script/runner.h"
#include "support/sim_fixture.h"

namespace tk::testing {

class ScriptFixture : public SimFixture {
 protected:
  void StartWith(const std::string& body) {
    WriteScript("*TKScriptFile\n" + body);
    Start();
    ASSERT_FALSE(form->IsClosing());
  }
  std::int32_t Int(const std::string& name) const {
    const IntFlag* flag = form->flags.FindIntFlag(name);
    EXPECT_NE(flag, nullptr) << name;
    return flag ? flag->value : 0;
  }
  std::string Str(const std::string& name) const {
    const StrFlag* flag = form->flags.FindStrFlag(name);
    EXPECT_NE(flag, nullptr) << name;
    return flag ? flag->text : std::string();
  }
  // A picture of one colour, stored as a 24-bit BMP.
  void WritePicture(const std::string& name, int width, int height, Bgr colour = {0, 0, 255}) {
    Bitmap picture(width, height);
    picture.Fill(colour);
    WriteFile(name, EncodeBmp24(picture));
  }
  // Each logged line without its time stamp.
  std::vector<std::string> Logged() const {
    std::vector<std::string> out;
    for (const std::string& line : LogLines()) out.push_back(line.substr(line.find(']') + 2));
    return out;
  }
};

}  // namespace tk::testing
