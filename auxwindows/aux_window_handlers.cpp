#include "auxwindows/aux_window_handlers.h"

#include <memory>
#include <vector>

#include "auxwindows/help_window_layout.h"
#include "auxwindows/update_notes_layout.h"

namespace zorvane {

void OpenHelpWindow(WindowSystem& ui) {
  // The page has no handlers: its own close box, Alt+F4 or Esc close it.
  ui.ShowModal(ui.CreateWindowFromLayout(HelpWindowSpec(), {}));
}

void OpenUpdateNotesWindow(WindowSystem& ui) {
  // 确定 must know its window, which exists only once the bindings have been handed over;
  // the handle is shared with the binding, which may outlive this call's frame.
  auto notesWindow = std::make_shared<WindowHandle>();
  std::vector<EventBinding> bindings = {
      {update_notes::kOkButton, UiEvent::Clicked,
       [&ui, notesWindow] { CloseUpdateNotesWindow(ui, *notesWindow); }},
      {update_notes::kFetchOnlineButton, UiEvent::Clicked, [&ui] { ShowFeatureUnavailable(ui); }},
  };
  ui.CreateWindowFromLayout(UpdateNotesWindowSpec(), std::move(bindings), notesWindow.get());
  ui.ShowModal(*notesWindow);
}

void CloseUpdateNotesWindow(WindowSystem& ui, WindowHandle notesWindow) {
  ui.DestroyWindow(notesWindow);
}

void ShowFeatureUnavailable(WindowSystem& ui) {
  // The answer (always OK) does not matter: the notes window stays as it was.
  ui.ShowMessageBox("错误", "抱歉，此功能暂时无法使用。如有疑问请联系作者。");
}

}  // namespace zorvane
