// Controls: creation inside the window or a frame, their texts and values, and the events they raise.
#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "platform/fltk/fltk_colors.h"
#include "platform/fltk/fltk_frame_box.h"
#include "platform/fltk/fltk_labels.h"
#include "platform/fltk/fltk_platform.h"
#include "platform/fltk/fltk_records.h"
#include "platform/fltk/fltk_text_label.h"
#include "platform/shared/handlers.h"
#include "platform/shared/tab_order.h"

namespace quorvel {
namespace {

// A label is as large as its caption in its font.
void fitLabel(Fl_Widget& label) {
  fl_font(label.labelfont(), label.labelsize());
  int width = 0;
  int height = 0;
  fl_measure(label.label() ? label.label() : "", width, height, 0);
  label.size(std::max(width, 1), std::max(height, fl_height()));
}

TextField* makeTextBox(int x, int y, int w, int h, const ControlSpec& spec) {
  auto* field = new TextField(x, y, w, h);
  field->maxLength = std::max(spec.maxLength, 0);
  field->textcolor(toFlColor(spec.foreColor));
  field->value(spec.caption.c_str(), static_cast<int>(spec.caption.size()));
  return field;
}

ComboBox* makeComboBox(int x, int y, int w, int h, const ControlSpec& spec) {
  auto* combo = new ComboBox(x, y, w, h, spec.items);
  combo->input().textcolor(toFlColor(spec.foreColor));
  combo->input().maxLength = std::max(spec.maxLength, 0);
  return combo;
}

}  // namespace

FltkPlatform::ControlRecord& FltkPlatform::control(ControlId id) {
  return *controls_.at(static_cast<std::size_t>(id));
}

const FltkPlatform::ControlRecord& FltkPlatform::control(ControlId id) const {
  return *controls_.at(static_cast<std::size_t>(id));
}

FltkPlatform::Placement FltkPlatform::place(WindowHandle handle, const ControlSpec& spec) {
  Fl_Group* parent = window(handle).widget.get();
  if (spec.container) {
    const ControlRecord& container = control(*spec.container);
    if (!container.group || container.window != handle)
      throw std::invalid_argument("container is not a frame of this window");
    parent = container.group;
  }
  const PixelRect area = controlArea(*this, spec, window(handle).dpi);
  return Placement{parent, area.left, area.top, area.width, area.height};
}

const ControlSpec& FltkPlatform::placementOf(ControlId id) const { return control(id).spec; }

std::vector<ControlId> FltkPlatform::controlsOf(WindowHandle handle) const {
  std::vector<ControlId> ids;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i]->window == handle) ids.push_back(static_cast<ControlId>(i));
  }
  return ids;
}

void FltkPlatform::placeControl(ControlId id, PixelRect area, int dpi) {
  ControlRecord& c = control(id);
  if (c.surface) {
    c.surface->place(area.left, area.top, dpi);
    return;
  }
  if (!c.widget) return;  // an owner-drawn control that has gone
  c.widget->resize(area.left, area.top, area.width, area.height);
  fitToResolution(c, dpi);
}

void FltkPlatform::fitToResolution(ControlRecord& c, int dpi) {
  const ResolvedFont font = fonts_.resolve(c.spec.font, dpi);
  c.widget->labelfont(static_cast<Fl_Font>(font.face));
  c.widget->labelsize(font.pixels);
  if (c.field) {
    c.field->textfont(static_cast<Fl_Font>(font.face));
    c.field->textsize(font.pixels);
  }
  if (c.combo) c.combo->fitToResolution(font, dpi);
  if (c.check) c.check->fitToResolution(dpi);
  if (c.spec.kind == ControlKind::label) fitLabel(*c.widget);
  c.widget->redraw();
}

ControlId FltkPlatform::createControl(WindowHandle handle, const ControlSpec& spec) {
  const Placement at = place(handle, spec);
  auto record = std::make_unique<ControlRecord>();
  record->window = handle;
  record->spec = spec;
  record->caption = spec.caption;
  Fl_Group::current(nullptr);
  makeWidget(*record, at);
  Fl_Widget& widget = *record->widget;
  widget.labelcolor(toFlColor(spec.foreColor));
  if (!record->field) widget.copy_label(literalLabel(spec.caption).c_str());
  fitToResolution(*record, window(handle).dpi);
  if (spec.tabIndex < 0) widget.clear_visible_focus();
  at.parent->add(widget);
  at.parent->redraw();

  const auto id = static_cast<ControlId>(controls_.size());
  controls_.push_back(std::move(record));
  connectEvents(id);
  return id;
}

// The widget of the record's kind, kept in the record under that kind as well.
void FltkPlatform::makeWidget(ControlRecord& record, const Placement& at) {
  const ControlSpec& spec = record.spec;
  switch (spec.kind) {
    case ControlKind::frame:
      record.group = new FrameBox(at.x, at.y, at.w, at.h);
      record.widget = record.group;
      break;
    case ControlKind::label:
      record.widget = new TextLabel(at.x, at.y, at.w, at.h);
      break;
    case ControlKind::textBox:
      record.field = makeTextBox(at.x, at.y, at.w, at.h, spec);
      record.focusKeys = record.field;
      record.widget = record.field;
      break;
    case ControlKind::comboBox:
      record.combo = makeComboBox(at.x, at.y, at.w, at.h, spec);
      record.field = &record.combo->input();
      record.focusKeys = record.field;
      record.widget = record.combo;
      break;
    case ControlKind::checkBox:
      record.check = new TriStateCheck(at.x, at.y, at.w, at.h);
      record.focusKeys = record.check;
      record.widget = record.check;
      break;
    case ControlKind::button:
      record.button = new CommandButton(at.x, at.y, at.w, at.h);
      record.focusKeys = record.button;
      record.widget = record.button;
      break;
  }
}

// Hooks the widget's events to the control's handlers, which may be set or replaced later.
void FltkPlatform::connectEvents(ControlId id) {
  ControlRecord& c = control(id);
  if (c.focusKeys)
    c.focusKeys->onTab = [this, id](bool backwards) { moveFocus(control(id).window, id, backwards); };
  if (c.field) {
    c.field->onKeyPress = [this, id](int& keyAscii) { raiseKeyPress(control(id).handlers, keyAscii); };
    if (!c.combo) c.field->onEdited = [this, id] { raiseChange(control(id).handlers); };
  }
  if (c.combo) {
    c.combo->onEdited = [this, id] { raiseChange(control(id).handlers); };
    c.combo->onPicked = [this, id](bool textChanged) {
      if (textChanged) raiseChange(control(id).handlers);
      raiseClick(control(id).handlers);
    };
  }
  if (c.check) c.check->onClicked = [this, id] { raiseClick(control(id).handlers); };
  if (c.button) c.button->onClicked = [this, id] { raiseClick(control(id).handlers); };
}

void FltkPlatform::setControlHandlers(ControlId id, ControlHandlers handlers) {
  control(id).handlers = std::move(handlers);
}

std::string FltkPlatform::controlText(ControlId id) const {
  const ControlRecord& c = control(id);
  if (c.field) return std::string(c.field->value(), static_cast<std::size_t>(c.field->size()));
  return c.caption;
}

void FltkPlatform::setControlText(ControlId id, std::string_view text) {
  ControlRecord& c = control(id);
  if (controlText(id) == text) return;
  if (c.field) {
    // Not cut to the typing limit: that limit is for the user only.
    c.field->value(text.data(), static_cast<int>(text.size()));
  } else {
    c.caption = std::string(text);
    c.widget->copy_label(literalLabel(text).c_str());
    if (c.spec.kind == ControlKind::label) fitLabel(*c.widget);
    if (c.widget->parent()) c.widget->parent()->redraw();
  }
  raiseChange(control(id).handlers);
}

int FltkPlatform::listIndex(ControlId combo) const {
  const ControlRecord& c = control(combo);
  return c.combo ? c.combo->selected() : -1;
}

int FltkPlatform::checkValue(ControlId checkBox) const {
  const ControlRecord& c = control(checkBox);
  return c.check ? c.check->state() : 0;
}

void FltkPlatform::setCheckValue(ControlId checkBox, int value) {
  ControlRecord& c = control(checkBox);
  if (c.check) c.check->state(value);
}

void FltkPlatform::setFocus(ControlId id) {
  ControlRecord& c = control(id);
  if (c.spec.tabIndex < 0 || !c.focusKeys) return;  // frames and labels never take it
  focusTracker_.focused(c.window, id);
  Fl_Widget* target = c.field ? static_cast<Fl_Widget*>(c.field) : c.widget;
  target->take_focus();
}

void FltkPlatform::moveFocus(WindowHandle handle, std::optional<ControlId> from, bool backwards) {
  std::vector<TabStop> stops;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const ControlRecord& c = *controls_[i];
    if (c.window != handle || !c.focusKeys) continue;
    stops.push_back(TabStop{static_cast<ControlId>(i), c.spec.tabIndex, c.widget->active_r() && c.widget->visible_r()});
  }
  if (const auto next = nextTabStop(stops, from, backwards)) setFocus(*next);
}

}  // namespace quorvel
