// Data exchange between a dialog's fields and its controls, on a window of our dialog
// manager.
#include "ui/framework/dialog_window.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_dialogs.h"
#include "ui/framework/terminal/template_window.h"

namespace {

// The length check, for text that reached the field by other means than typing.
TEST(DataExchangeLength, OverSixteenBytesShowsTheMessageAndFails) {
    DialogTemplate source{1, "", 0, 0, 10, 10, 0, 0, "", 0,
                          {ControlTemplate{7, control_class::kEdit, "", 0, 0, 1, 1, 0}}};
    std::string seenText, seenCaption;
    unsigned seenType = 0;
    TemplateWindow window(source, [&](const std::string& text, const std::string& caption, unsigned type) {
        seenText = text, seenCaption = caption, seenType = type;
        return kIdOk;
    });
    ScriptedDialogs dialogs("");
    for (const std::string& text : {std::string(16, 'x'), std::string(17, 'x')}) {
        window.SetItemText(7, text);
        DataExchange exchange(window, true);
        std::string read;
        exchange.Text(7, read);
        exchange.MaxBytes(7, read, 16);
        EXPECT_EQ(exchange.Failed(), text.size() > 16);
    }
    EXPECT_EQ(seenText, "16 \x95\xb6\x8e\x9a\x88\xc8\x93\xe0\x82\xc5\x93\xfc\x97\xcd\x82\xb5\x82\xc4"
                        "\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42");
    EXPECT_EQ(seenCaption, "zandry");
    EXPECT_EQ(seenType, 0x30u);
}

}  // namespace
