// The auxiliary windows in the whole program: the expanded main window's two buttons open
// the help and update-notes windows modally, the main window takes no clicks meanwhile and
// its timer goes on, each closes as a user would close it, and "联机获取" only says that it
// is not available; one asked for while Stop waits opens once Stop has finished. What the
// user does while a window is open is posted before opening.
#include <gtest/gtest.h>

#include "app/main_window_layout.h"
#include "auxwindows/help_window_layout.h"
#include "auxwindows/update_notes_layout.h"
#include "gbk_check.h"
#include "program_fixture.h"

namespace zorvane::testing {
namespace {

class AuxWindowsTest : public ::testing::Test, public ProgramFixture {
 protected:
  void SetUp() override {
    Start();
    ui.Click(Control(main_window::kFold));  // the about area with the two buttons
    ASSERT_EQ(MainBounds().width, 510);
  }
  WindowHandle Help() const { return ui.WindowByLayoutName(help_window::kLayoutName); }
  WindowHandle Notes() const { return ui.WindowByLayoutName(update_notes::kLayoutName); }
  ControlHandle NotesControl(std::string_view name) const {
    return ui.FindControl(Notes(), name);
  }
};

TEST_F(AuxWindowsTest, HelpWindowIsModalAndEscClosesIt) {
  ui.Post([&] {
    ASSERT_TRUE(Help());
    EXPECT_EQ(ui.WindowTitle(Help()), "软件提示");
    EXPECT_EQ(ui.WindowBounds(Help()), (Rect{779, 379, 361, 321}));  // centred
    EXPECT_TRUE(ui.ShowsPicture(ui.FindControl(Help(), help_window::kMainWindowPicture)));
    EXPECT_FALSE(ui.IsWindowEnabled(Main()));
    ui.Click(Control(main_window::kFold));  // no effect while the help is open
    ui.Click(Control(main_window::kNotesButton));
    EXPECT_EQ(MainBounds().width, 510);
    EXPECT_FALSE(Notes());
    ui.PressEscape(Help());
  });
  ui.Click(Control(main_window::kHelpButton));

  EXPECT_FALSE(Help());
  EXPECT_TRUE(ui.IsWindowEnabled(Main()));
  ui.Click(Control(main_window::kFold));
  EXPECT_EQ(MainBounds().width, 250);
}

TEST_F(AuxWindowsTest, EscCloseBoxAndOkAllCloseTheNotesWindow) {
  const std::function<void()> ways[] = {
      [&] { ui.PressEscape(Notes()); },
      [&] { ui.RequestClose(Notes()); },
      [&] { ui.Click(NotesControl(update_notes::kOkButton)); },
  };
  for (const auto& close : ways) {
    ui.Post([&] {
      ASSERT_TRUE(Notes());
      EXPECT_EQ(ui.WindowTitle(Notes()), "更新说明");
      EXPECT_FALSE(ui.IsWindowEnabled(Main()));
      close();
    });
    ui.Click(Control(main_window::kNotesButton));
    EXPECT_FALSE(Notes());
    EXPECT_TRUE(ui.IsWindowEnabled(Main()));
  }
}

TEST_F(AuxWindowsTest, NotesCanBeSelectedButNotChanged) {
  ui.Post([&] {
    const ControlHandle notes = NotesControl(update_notes::kNotes);
    ui.Type(notes, "x");
    ui.Paste(notes, "y");
    EXPECT_EQ(ui.ControlText(notes), update_notes::NotesText());
    ui.PressEscape(Notes());
  });
  ui.Click(Control(main_window::kNotesButton));
  EXPECT_FALSE(Notes());
}

TEST_F(AuxWindowsTest, FetchOnlineOnlySaysItIsUnavailableAndTheNotesStay) {
  ui.Post([&] { ui.Click(NotesControl(update_notes::kFetchOnlineButton)); });
  ui.Post([&] {
    ASSERT_TRUE(ui.IsMessageBoxOpen());
    EXPECT_FALSE(ui.IsWindowEnabled(Notes()));  // the box holds every window
    EXPECT_FALSE(ui.IsWindowEnabled(Main()));
    ui.DismissMessageBox();
  });
  ui.Post([&] {
    ASSERT_TRUE(Notes());
    EXPECT_TRUE(ui.IsWindowEnabled(Notes()));
    EXPECT_FALSE(ui.IsWindowEnabled(Main()));
    EXPECT_EQ(ui.ControlText(NotesControl(update_notes::kNotes)), update_notes::NotesText());
    ui.PressEscape(Notes());
  });
  ui.Click(Control(main_window::kNotesButton));

  const std::vector<memory::MessageBoxRecord> boxes = ui.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "\xB4\xED\xCE\xF3");  // 错误
  EXPECT_EQ(boxes[0].text, "抱歉，此功能暂时无法使用。如有疑问请联系作者。");
  EXPECT_TRUE(IsGbk(boxes[0].text));
  EXPECT_TRUE(ui.IsWindowEnabled(Main()));
}

TEST_F(AuxWindowsTest, MainWindowTimerKeepsTickingWhileTheNotesAreOpen) {
  int ticks = 0;
  ui.SetTimer(Main(), 1, 1000, [&] { ++ticks; });
  ui.Post([&] {
    scheduler.AdvanceBy(3000);
    EXPECT_EQ(ticks, 3);
    ui.Click(NotesControl(update_notes::kOkButton));
  });
  ui.Click(Control(main_window::kNotesButton));
  scheduler.AdvanceBy(1000);
  EXPECT_EQ(ticks, 4);
}

TEST_F(AuxWindowsTest, HelpAskedForWhileStopWaitsOpensOnceTheDisplayHasGone) {
  ui.Type(Control(main_window::kSeconds), "30");
  ui.Click(Control(main_window::kStart));
  const WindowHandle display = program->DisplayWindow();
  bool helpOpened = false;
  // The redraw Stop waits for; the click on the help button comes as it ends.
  program->State().RedrawThread = scheduler.StartThread([&] {
    scheduler.Sleep(300);
    ui.Post([&] {
      ui.Post([&] {  // with the help open
        helpOpened = true;
        EXPECT_FALSE(ui.WindowExists(display)) << "the stopped display waits for the help";
        ui.PressEscape(Help());
      });
      ui.Click(Control(main_window::kHelpButton));
    });
  });
  ui.Click(Control(main_window::kStart));
  EXPECT_TRUE(helpOpened);
  EXPECT_FALSE(Help());
  EXPECT_FALSE(ui.WindowExists(display));
  EXPECT_TRUE(ui.IsWindowEnabled(Main()));
}

TEST_F(AuxWindowsTest, ExitAfterTheNotesEndsTheProgramAndSaves) {
  ui.Post([&] { ui.PressEscape(Notes()); });
  ui.Post([&] { ui.Click(Control(main_window::kExit)); });
  ui.Click(Control(main_window::kNotesButton));
  ui.RunMessageLoop();
  EXPECT_FALSE(ui.WindowExists(Main()));
  EXPECT_NE(ConfigFile().find("[Main]\r\nWidth=120\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zorvane::testing
