// Events and runs: what the native side reports about a dialog, turned into
// calls of its record's routines, and the ways a dialog is shown and ended.
// Escape and the close box become Cancel here, whichever native side reports them.
#include "ui/dialog_layer.h"

#include <algorithm>

#include "common/at_scope_exit.h"
#include "ui/control_ids.h"
#include "ui/control_names.h"

namespace korvel {

void DialogLayer::end(DialogRecord& dialog) {
  if (!dialog.window) return;
  pull_all(dialog);
  const NativeWindow window = dialog.window;
  if (dialog.modal) {
    native_.end_modal(window, dialog.return_value);
  } else {
    native_.destroy(window);
  }
  dialog.window = 0;
}

void DialogLayer::call(DialogRecord& dialog, const DialogRoutine& routine, int control_id, int kind) {
  running_.push_back(&dialog);
  {
    // A routine that throws leaves no record behind as running: the error path
    // ends the Launcher through this layer.
    const AtScopeExit returned([this] { running_.pop_back(); });
    routine(dialog, control_id, kind);
  }
  push_dirty(dialog);
}

void DialogLayer::dialog_created(void* d, NativeWindow window) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  dialog.window = window;
  for (ControlEntry& control : dialog.controls) push(dialog, control);
  if (dialog.drop_routine) native_.accept_dropped_files(window);
  native_.name_controls(window, control_names(dialog.template_id));
  if (dialog.dialog_routine) call(dialog, dialog.dialog_routine, dialog.template_id, DLGCB_INIT);
}

void DialogLayer::dialog_command(void* d, int control_id, int code) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  // A dialog that has ended may still see commands queued before its end.
  if (!dialog.window) return;
  ControlEntry* control = dialog.find(control_id);
  if (!control || dialog.pushing) return;

  // A disabled push button is not clicked, whatever comes (Escape clicks a disabled Cancel).
  if (control->type == ControlType::push_button && !control->enabled) return;
  const auto row = std::ranges::find_if(
      routine_kinds, [&](const RoutineKind& r) { return r.type == control->type && r.code == code; });
  if (row == std::ranges::end(routine_kinds)) return;
  const int kind = row->kind;

  const auto routine = control->routines.find(kind);
  if (routine != control->routines.end()) {
    const DialogRoutine chosen = routine->second;  // the routine may re-register its control
    call(dialog, chosen, control_id, kind);
  } else if (control->type == ControlType::push_button) {
    // A push button without a routine ends its dialog with its id.
    dialog.return_value = control_id;
    end(dialog);
  }
}

// A Cancel control takes the request as its click, which a disabled one
// ignores; a dialog without one ends with Cancel's id.
void DialogLayer::dialog_cancel_requested(void* d) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  if (dialog.find(dialog_ids::cancel)) {
    dialog_command(d, dialog_ids::cancel, notify::button_clicked);
  } else if (dialog.window && !dialog.pushing) {
    dialog.return_value = dialog_ids::cancel;
    end(dialog);
  }
}

void DialogLayer::dialog_files_dropped(void* d, int control_id, const std::vector<std::string>& paths) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  if (!dialog.window || dialog.pushing || !dialog.drop_routine || paths.empty()) return;
  // Taken only while the Launcher waits for the user: a drop while a routine's
  // message box or a modal dialog is open would change the names under it.
  if (running() || running_modal()) return;
  const DropRoutine routine = dialog.drop_routine;
  call(
      dialog, [&](DialogRecord& record, int id, int) { routine(record, id, paths.front()); }, control_id,
      DLGCB_DEFAULT);
}

void DialogLayer::dialog_activated(void* d, bool active) {
  auto* dialog = static_cast<DialogRecord*>(d);
  if (dialog->modal) return;
  if (active)
    active_ = dialog;
  else if (active_ == dialog)
    active_ = nullptr;
}

void DialogLayer::dialog_resized(void* d) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  if (dialog.size_routine) call(dialog, dialog.size_routine, dialog.template_id, DLGCB_SIZE);
}

void DialogLayer::dialog_dpi_changed(void* d, int dpi) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  dialog.dpi = dpi;
  if (dialog.window && dialog.dialog_routine) call(dialog, dialog.dialog_routine, dialog.template_id, DLGCB_DPICHANGED);
}

void DialogLayer::dialog_destroyed(void* d) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  if (active_ == &dialog) active_ = nullptr;
  if (!dialog.modal) pull_all(dialog);
  if (dialog.dialog_routine) call(dialog, dialog.dialog_routine, dialog.template_id, DLGCB_DESTROY);
  if (!dialog.modal) dialog.window = 0;
}

// F1 is a click on the dialog's help button, which a disabled one ignores.
void DialogLayer::dialog_help_requested(void* d) {
  auto& dialog = *static_cast<DialogRecord*>(d);
  if (dialog.help_control != 0) dialog_command(d, dialog.help_control, notify::button_clicked);
}

int DLGMODAL(DialogRecord& dialog) {
  DialogLayer& layer = dialog.layer;
  if (!dialog.layout) return -1;
  DialogRecord* owner = layer.running_modal() ? layer.running_modal() : layer.running();
  dialog.modal = true;
  layer.enter_modal(dialog);
  // Also when the run ends with an exception: the record may go with the caller's frame.
  const AtScopeExit ended([&dialog] {
    dialog.layer.leave_modal();
    dialog.modal = false;
    dialog.window = 0;
  });
  const int result = layer.native().run_modal(*dialog.layout, owner ? owner->window : 0, layer, &dialog);
  return result == -1 ? -1 : dialog.return_value;
}

bool DLGMODELESS(DialogRecord& dialog, int show_command, std::optional<NativeWindow> owner) {
  DialogLayer& layer = dialog.layer;
  if (!dialog.layout) return false;
  const NativeWindow owner_window = owner ? *owner : (layer.running() ? layer.running()->window : 0);
  dialog.modal = false;
  return layer.native().create_modeless(*dialog.layout, owner_window, show_command, layer, &dialog) != 0;
}

bool DLGPRETRANSLATE(DialogLayer& layer, const NativeMessage& message) {
  DialogRecord* active = layer.active_modeless();
  return active && active->window && layer.native().is_dialog_message(active->window, message);
}

void DLGRETURN(DialogRecord& dialog, int value) { dialog.return_value = value; }

bool DLGEXIT(DialogRecord& dialog) {
  if (!dialog.window) return false;
  dialog.layer.end(dialog);
  return true;
}

}  // namespace korvel
