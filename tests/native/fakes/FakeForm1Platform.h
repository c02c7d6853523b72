// Every fake the main window talks to, and the record that hands them to Form1. A fixture
// derives from it so the fakes exist before the Form1 member it builds from them.
#pragma once

#include "app/Form1.h"
#include "app/Form1Layout.h"
#include "fakes/FakeAccessibleNames.h"
#include "fakes/FakeFormWindow.h"
#include "fakes/FakeHttp.h"
#include "fakes/FakeKeyboardLayout.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeKeystrokeSender.h"
#include "fakes/FakeUiServices.h"
#include "keyinput/RecordingKeyInput.h"

namespace harfpad::fakes {

struct FakeForm1Platform {
    FakeFormWindow window{form1Spec()};
    FakeUiServices ui;
    FakeRegistry registry;
    FakeKeyboardLayout layouts;
    RecordingKeyInput keys;
    FakeKeystrokeSender keystrokes{layouts};
    FakeHttpClient http{ui};
    FakeAccessibleNames names{window};

    Form1Platform platform(const TrayPlatform* tray = nullptr,
                           feedback::FeedbackAddresses addresses = {}) {
        return {window,
                ui,
                registry,
                layouts,
                keys,
                keys,
                keystrokes,
                http,
                names,
                tray,
                std::move(addresses)};
    }
};

}  // namespace harfpad::fakes
