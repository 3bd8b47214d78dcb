#pragma once

// How the windows reach each other: the application object implements this,
// so no window includes another window's header.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  // Runs the window's load step and shows it.
  virtual void loadRecordWindow() = 0;
  virtual void loadPageWindow() = 0;
  // Takes the window off the screen; it keeps its state.
  virtual void unloadRecordWindow() = 0;
  virtual void unloadPageWindow() = 0;
  // Non-modal, one instance each, brought forward when asked again.
  virtual void showKeyHelp() = 0;
  virtual void showAbout() = 0;
  // Every window disappears and the event loop ends; no further handler runs.
  virtual void endProgram() = 0;
};
