// The rules a form has whatever draws it, on a small form of its own.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/FormModel.h"

namespace harfpad {
namespace {

using K = ControlKind;
enum : ControlId { kA = 1, kB, kC, kLabel, kD, kE, kCheck, kHidden, kOtherPageOption, kF };

constexpr ControlSpec kFirst[] = {
    {kA, K::OptionButton, u"a", {}, kNoControl, nullptr, kStyleGroupStart},
    {kB, K::OptionButton, u"b", {}},
    {kC, K::OptionButton, u"c", {}},
    {kLabel, K::Label, u"label", {}},  // ends the run
    {kCheck, K::CheckBox, u"check", {}},
    {kHidden, K::Label, nullptr, {}, kNoControl, nullptr, kStyleHidden},
    {kD, K::OptionButton, u"d", {}},
    {kE, K::OptionButton, u"e", {}, kNoControl, nullptr, kStyleGroupStart},  // a new group
};
constexpr ControlSpec kSecond[] = {
    {kOtherPageOption, K::OptionButton, u"x", {}},  // pages do not share groups
    {kF, K::OptionButton, u"f", {}},
};
constexpr PageSpec kPages[] = {{u"one", kFirst}, {u"two", kSecond}};
const FormSpec kForm{u"form", 1000, 1000, {}, kPages};

TEST(FormModel, OptionGroupsAreRunsStartedAnewByAGroupStart) {
    const FormModel model(kForm);
    const struct {
        ControlId option;
        std::vector<ControlId> others;
    } rows[] = {
        {kA, {kB, kC}},           {kB, {kA, kC}},           {kC, {kA, kB}}, {kD, {}},     {kE, {}},
        {kOtherPageOption, {kF}}, {kF, {kOtherPageOption}}, {kCheck, {}},   {kLabel, {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(model.otherOptionsOfGroup(row.option), row.others) << row.option;
}

TEST(FormModel, SelectingAnOptionClearsOnlyItsGroup) {
    FormModel model(kForm);
    model.setValue(kA, 1);
    model.setValue(kE, 1);
    model.setValue(kF, 1);
    model.setValue(kB, 1);  // E is of another group, F of another page
    EXPECT_EQ((std::vector{model.state(kA).value, model.state(kB).value, model.state(kE).value,
                           model.state(kF).value}),
              (std::vector{0, 1, 1, 1}));
    model.setValue(kA, 1);
    model.setValue(kB, 0);
    EXPECT_EQ(model.state(kA).value, 1) << "clearing an option touches nothing else";
}

TEST(FormModel, AClickTogglesACheckBoxAndSelectsAnOptionOnlyWhenEnabled) {
    const struct {
        ControlKind kind;
        int before;
        std::optional<int> after;
    } rows[] = {
        {K::CheckBox, 0, 1},         {K::CheckBox, 1, 0},     {K::CheckBox, 2, 1},
        {K::OptionButton, 0, 1},     {K::OptionButton, 1, 1}, {K::Button, 0, std::nullopt},
        {K::Label, 0, std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormModel::valueAfterClick(row.kind, row.before), row.after)
            << static_cast<int>(row.kind) << " from " << row.before;
    EXPECT_TRUE(FormModel::takesClick(true));
    EXPECT_FALSE(FormModel::takesClick(false));
}

TEST(FormModel, StateStartsAsDesignedAndResetGoesBackToIt) {
    FormModel model(kForm);
    EXPECT_EQ(model.text(kA), u"a");
    EXPECT_EQ(model.text(kHidden), u"");
    EXPECT_FALSE(model.state(kHidden).visible);
    EXPECT_TRUE(model.state(kLabel).visible);
    EXPECT_EQ(model.state(kA).charset, kDefaultCharset);
    model.state(kA).text = u"changed";
    model.state(kHidden).visible = true;
    model.state(kCheck).enabled = false;
    model.setValue(kCheck, 1);
    model.selectPage(1);
    EXPECT_EQ(model.text(kA), u"changed");
    model.reset();
    EXPECT_EQ(model.text(kA), u"a");
    EXPECT_FALSE(model.state(kHidden).visible);
    EXPECT_TRUE(model.state(kCheck).enabled);
    EXPECT_EQ(model.state(kCheck).value, 0);
    EXPECT_EQ(model.selectedPage(), 0);
}

TEST(FormModel, PagesOutsideTheFormAndUnknownControlsAreRefused) {
    FormModel model(kForm);
    model.selectPage(1);
    model.selectPage(2);
    model.selectPage(-1);
    EXPECT_EQ(model.selectedPage(), 1);
    EXPECT_EQ(model.page(kF), 1);
    EXPECT_THROW(model.state(999), std::out_of_range);
    EXPECT_FALSE(model.has(999));
}

}  // namespace
}  // namespace harfpad
