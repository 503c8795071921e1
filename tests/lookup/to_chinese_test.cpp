#include "lookup/ReadingLookup.h"
#include "tests/support/ScriptedImm.h"

#include <gtest/gtest.h>

namespace {

using qxtest::CallLog;
using qxtest::ScriptedImm;
using qxtest::ScriptedPump;

class ToChineseTest : public ::testing::Test {
protected:
    CallLog log;
    ScriptedImm ime{log};
    ScriptedPump pump{log, ime};
};

TEST_F(ToChineseTest, ImeAlreadyActiveIsReturnedAfterOneProcessing) {
    ime.activeLayout = ScriptedImm::kIme;
    EXPECT_EQ(lookup::toChinese(ime, pump), ScriptedImm::kIme);
    EXPECT_EQ(log,
              (CallLog{"processPendingMessages", "GetKeyboardLayout(0)", "ImmIsIME(e0080404)"}));
}

TEST_F(ToChineseTest, PlainLayoutIsToggledOnTheActiveForm) {
    EXPECT_EQ(lookup::toChinese(ime, pump), ScriptedImm::kIme);
    EXPECT_EQ(log, (CallLog{"processPendingMessages", "GetKeyboardLayout(0)", "ImmIsIME(4040404)",
                            "ImmSimulateHotKey(1234, 70)", "processPendingMessages",
                            "GetKeyboardLayout(0)"}));
}

TEST_F(ToChineseTest, WhateverIsActiveAfterTheToggleIsReturned) {
    constexpr imm::HKL kOtherKeyboard = 0x08040804;
    ime.layoutAfterHotKey = kOtherKeyboard;
    EXPECT_EQ(lookup::toChinese(ime, pump), kOtherKeyboard);
    EXPECT_EQ(log.back(), "GetKeyboardLayout(0)"); // not asked whether it is an IME
}

TEST_F(ToChineseTest, NoActiveFormFailsBeforeAnythingIsReadOrSwitched) {
    pump.form.reset();
    EXPECT_THROW(lookup::toChinese(ime, pump), lookup::NoActiveFormError);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(ime.activeLayout, ScriptedImm::kPlain);
}

} // namespace
