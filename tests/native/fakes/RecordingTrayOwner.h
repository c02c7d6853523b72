// The main window as the tray window sees it, recording each call as a line.
#pragma once

#include <string>
#include <vector>

#include "tray/Form2.h"

namespace harfpad::fakes {

class RecordingTrayOwner final : public ITrayOwner {
  public:
    std::vector<std::string> calls;
    void show() override { calls.push_back("show"); }
    void setIndicator(int value) override { calls.push_back("indicator " + std::to_string(value)); }
    void switchToArabic(const UserWindow&) override { calls.push_back("arabic"); }
    void switchToEnglish(const UserWindow&) override { calls.push_back("english"); }
    void endProgram() override { calls.push_back("end"); }
};

}  // namespace harfpad::fakes
