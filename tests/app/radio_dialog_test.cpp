// The "Radio / TNC" dialog without a toolkit: loading tnc.brz and the identity of aprs-is.brz,
// "OK" with bad and good values, and the check that the TNC answers.

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/radio_dialog_presenter.h"
#include "common/text_file.h"
#include "radio/tnc_settings.h"
#include "support/aprs_is_test_server.h"
#include "support/fake_shell.h"
#include "support/loopback_listener.h"
#include "support/temp_folder.h"

namespace brezzolo {
namespace {

using namespace std::chrono_literals;
using test::readFileBytes;
using test::writeFileBytes;

struct Dialog {
    test::TempFolder folder;
    std::string config = folder.file("config.brz");
    test::FakeShell shell;
    int saved = 0;
    RadioDialogPresenter presenter{shell, config, [this] { ++saved; }};

    bool waitForAnswer() {
        for (int i = 0; i < 400; ++i) {
            if (presenter.poll()) {
                return true;
            }
            std::this_thread::sleep_for(25ms);
        }
        return false;
    }
};

TEST(RadioDialog, AnUntouchedSwitchedOffDialogWritesNothing) {
    Dialog d;
    d.presenter.show();
    EXPECT_EQ(d.presenter.model().txtAddress, "127.0.0.1:8001");
    EXPECT_EQ(d.presenter.model().txtPath, "WIDE2-1");
    d.presenter.okClicked();
    EXPECT_FALSE(d.presenter.model().Visible);
    EXPECT_FALSE(fileExists(d.folder.file("tnc.brz")));
    EXPECT_FALSE(fileExists(d.folder.file("aprs-is.brz")));
}

TEST(RadioDialog, BadValuesAreNamedAndNothingIsWritten) {
    const struct {
        RadioField field;
        const char* text;
        const char* named;
    } cases[] = {
        {RadioField::Callsign, "IZ0ABC-16", "Nominativo con SSID: callsign \"IZ0ABC-16\""},
        {RadioField::Path, "WIDE1-1,WIDE2-1,WIDE3-1", "Percorso: path \"WIDE1-1,WIDE2-1,WIDE3-1\""},
        {RadioField::Interval, "9", "Intervallo: interval \"9\""},
        {RadioField::Address, "dirwolf", "TNC in rete: address \"dirwolf\""},
    };
    for (const auto& c : cases) {
        Dialog d;
        d.presenter.show();
        d.presenter.enabledClicked(true);
        d.presenter.fieldEdited(RadioField::Callsign, "IZ0ABC-13");
        d.presenter.fieldEdited(RadioField::Latitude, "41.8917");
        d.presenter.fieldEdited(RadioField::Longitude, "12.4883");
        d.presenter.fieldEdited(c.field, c.text);
        d.presenter.okClicked();
        ASSERT_EQ(d.shell.messages.size(), 1u) << c.named;
        EXPECT_NE(d.shell.messages[0].text.find(std::string("\n") + c.named), std::string::npos)
            << d.shell.messages[0].text;
        EXPECT_TRUE(d.presenter.model().Visible);
        EXPECT_FALSE(fileExists(d.folder.file("tnc.brz")));
    }
}

TEST(RadioDialog, OkWritesTheTncAndTheSharedIdentityKeepingTheUpload) {
    Dialog d;
    writeFileBytes(d.folder.file("aprs-is.brz"),
                   "enabled=1\ncallsign=IZ0ABC-13\npasscode=12345\nserver=rotate.aprs2.net:14580\n"
                   "latitude=41.8917\nlongitude=12.4883\n");
    d.presenter.show();
    EXPECT_EQ(d.presenter.model().txtCallsign, "IZ0ABC-13");
    d.presenter.enabledClicked(true);
    d.presenter.kindClicked(TncKind::Serial);
    d.presenter.fieldEdited(RadioField::SerialPort, "COM3");
    d.presenter.fieldEdited(RadioField::Comment, "Roma");
    d.presenter.okClicked();
    EXPECT_TRUE(d.shell.messages.empty());
    EXPECT_EQ(d.saved, 1);
    const auto check = readRadioSettings(d.config);
    ASSERT_TRUE(check);
    EXPECT_TRUE(check->usable());
    EXPECT_EQ(check->settings.tnc.kind, TncKind::Serial);
    EXPECT_EQ(check->settings.tnc.serialPort, "COM3");
    EXPECT_EQ(check->settings.identity.comment, "Roma");
    // The upload's own settings stay as they were, with the new comment.
    const auto upload = readAprsIsSettings(d.folder.file("aprs-is.brz"));
    ASSERT_TRUE(upload);
    EXPECT_TRUE(upload->usable());
    EXPECT_EQ(upload->settings.passcode, 12345);
    EXPECT_EQ(upload->settings.comment, "Roma");
}

TEST(RadioDialog, TheCheckConnectsAndSendsNothing) {
    test::LoopbackListener tnc;
    const struct {
        int port;
        const char* answer;
    } cases[] = {
        {tnc.port(), "Il TNC risponde (nulla è stato trasmesso)"},
        {test::AprsIsTestServer::closedPort(), "Il TNC non risponde: connessione rifiutata da"},
    };
    for (const auto& c : cases) {
        Dialog d;
        d.presenter.show();
        d.presenter.fieldEdited(RadioField::Address, "127.0.0.1:" + std::to_string(c.port));
        d.presenter.testClicked();
        EXPECT_FALSE(d.presenter.model().cmdTestEnabled);
        ASSERT_TRUE(d.waitForAnswer());
        EXPECT_TRUE(d.presenter.model().lblTestResult.starts_with(c.answer))
            << d.presenter.model().lblTestResult;
        EXPECT_FALSE(fileExists(d.folder.file("tnc.brz")));
    }
}

}  // namespace
}  // namespace brezzolo
