#pragma once
// The program as models: every form of it, each a FormModel with its
// handlers connected, the main window first. `main` makes the program; a
// binding makes one window per form (the main one the owner of the others),
// shows the main one and runs its loop until the main one is closed.

#include <optional>
#include <span>
#include <vector>

#include "ui/downdrag_form.h"
#include "ui/downdrag_handlers.h"
#include "ui/form_model.h"

namespace tavrelo::ui {

class Program {
 public:
  virtual ~Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  Program(Program&&) = delete;
  Program& operator=(Program&&) = delete;

  // Every form, the main window's first; each lives as long as the program.
  [[nodiscard]] std::span<FormModel* const> Forms() const noexcept { return forms_; }
  [[nodiscard]] FormModel& Main() const { return *forms_.front(); }

 protected:
  Program() = default;
  // Adds a form (the first one added is the main window).
  void Add(FormModel& form) { forms_.push_back(&form); }

 private:
  std::vector<FormModel*> forms_;
};

// Tavrelo: Form1 with its handlers connected (ConnectHandlers), and the
// window of the downdrag load that its result menu opens.
class TavreloProgram final : public Program {
 public:
  TavreloProgram();

  [[nodiscard]] FormModel& Downdrag() noexcept { return downdrag_; }
  [[nodiscard]] const DowndragHandlers& DowndragWindow() const noexcept { return *handlers_; }

 private:
  FormModel main_;
  FormModel downdrag_{DowndragForm()};
  std::optional<DowndragHandlers> handlers_;  // connected after the main window's
};

}  // namespace tavrelo::ui
