// "copy picture": Picture1's picture through the clipboard into Picture2.
#include <gtest/gtest.h>

#include "support/lesson_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

class CopyPicture : public LessonTest {
protected:
    void SetUp() override { ASSERT_TRUE(start()); }
    void clickCopy() { form.click(cmd_copy_picture); }

    const Picture elsewhere = std::make_shared<TestPicture>("from another program");
    const Picture shown = std::make_shared<TestPicture>("shown before");
};

TEST_F(CopyPicture, APictureOfPicture1GoesThroughTheClipboardIntoPicture2) {
    const Picture own = std::make_shared<TestPicture>("own");
    platform.setPicture(Picture1, own);
    platform.clipboard = elsewhere;
    clickCopy();
    EXPECT_EQ(platform.clipboard, own);
    EXPECT_EQ(platform.pictures[Picture2], own);
    EXPECT_EQ(platform.pictures[Picture1], own);
}

TEST_F(CopyPicture, WithoutAPictureTheClipboardIsKeptAndItsPictureShown) {
    form.tick(tmr_pend_exp);  // circles are not a picture
    platform.clipboard = elsewhere;
    clickCopy();
    EXPECT_EQ(platform.clipboard, elsewhere);
    EXPECT_EQ(platform.pictures[Picture2], elsewhere);
}

TEST_F(CopyPicture, WithoutAnyPictureOnEitherSidePicture2IsUnchanged) {
    platform.setPicture(Picture2, shown);
    clickCopy();
    EXPECT_EQ(platform.clipboard, nullptr);
    EXPECT_EQ(platform.pictures[Picture2], shown);
    EXPECT_FALSE(form.ended());
}

TEST_F(CopyPicture, AnUnusableClipboardChangesNothing) {
    platform.clipboardWorks = false;
    platform.clipboard = elsewhere;
    platform.setPicture(Picture2, shown);

    clickCopy();  // nothing to put, nothing to read
    EXPECT_EQ(platform.pictures[Picture2], shown);

    const Picture own = std::make_shared<TestPicture>("own");
    platform.setPicture(Picture1, own);
    clickCopy();  // the put is refused
    EXPECT_EQ(platform.clipboard, elsewhere);
    EXPECT_EQ(platform.pictures[Picture2], shown);
    EXPECT_FALSE(form.ended());
}

}  // namespace
}  // namespace stepwise::testing
