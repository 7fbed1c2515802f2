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
#include "platform/handlers.h"
#include "platform/tab_order.h"

namespace quorvel {
namespace {

void setFont(Fl_Widget& widget, ResolvedFont font) {
  widget.labelfont(static_cast<Fl_Font>(font.face));
  widget.labelsize(font.pixels);
}

// A label is as large as its caption in its font.
void fitLabel(Fl_Widget& label) {
  fl_font(label.labelfont(), label.labelsize());
  int width = 0;
  int height = 0;
  fl_measure(label.label() ? label.label() : "", width, height, 0);
  label.size(std::max(width, 1), std::max(height, fl_height()));
}

TextField* makeTextField(int x, int y, int w, int h, ResolvedFont font, int maxLength) {
  auto* field = new TextField(x, y, w, h);
  field->textfont(static_cast<Fl_Font>(font.face));
  field->textsize(font.pixels);
  field->maxLength = std::max(maxLength, 0);
  return field;
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
  int originX = 0;
  int originY = 0;
  if (spec.container) {
    const ControlRecord& container = control(*spec.container);
    if (!container.group || container.window != handle)
      throw std::invalid_argument("container is not a frame of this window");
    parent = container.group;
    originX = container.widget->x();
    originY = container.widget->y();
  }
  return Placement{parent, originX + twipsToPixels(spec.rect.left), originY + twipsToPixels(spec.rect.top),
                   std::max(1, twipsToPixels(spec.rect.width)), std::max(1, twipsToPixels(spec.rect.height))};
}

ControlId FltkPlatform::createControl(WindowHandle handle, const ControlSpec& spec) {
  const auto [parent, x, y, w, h] = place(handle, spec);
  const ResolvedFont font = fonts_.resolve(spec.font);
  const Fl_Color foreground = toFlColor(spec.foreColor);

  auto record = std::make_unique<ControlRecord>();
  record->window = handle;
  record->spec = spec;
  record->caption = spec.caption;
  Fl_Group::current(nullptr);
  switch (spec.kind) {
    case ControlKind::frame: {
      auto* frame = new FrameBox(x, y, w, h);
      record->group = frame;
      record->widget = frame;
      break;
    }
    case ControlKind::label: {
      record->widget = new TextLabel(x, y, w, h);
      break;
    }
    case ControlKind::textBox: {
      auto* field = makeTextField(x, y, w, h, font, spec.maxLength);
      field->textcolor(foreground);
      field->value(spec.caption.c_str(), static_cast<int>(spec.caption.size()));
      record->field = field;
      record->focusKeys = field;
      record->widget = field;
      break;
    }
    case ControlKind::comboBox: {
      auto* combo = new ComboBox(x, y, w, h, spec.items, font);
      combo->input().textcolor(foreground);
      combo->input().maxLength = std::max(spec.maxLength, 0);
      record->combo = combo;
      record->field = &combo->input();
      record->focusKeys = &combo->input();
      record->widget = combo;
      break;
    }
    case ControlKind::checkBox: {
      auto* check = new TriStateCheck(x, y, w, h);
      record->check = check;
      record->focusKeys = check;
      record->widget = check;
      break;
    }
    case ControlKind::button: {
      auto* button = new CommandButton(x, y, w, h);
      record->button = button;
      record->focusKeys = button;
      record->widget = button;
      break;
    }
  }
  Fl_Widget& widget = *record->widget;
  setFont(widget, font);
  widget.labelcolor(foreground);
  if (!record->field) widget.copy_label(literalLabel(spec.caption).c_str());
  if (spec.kind == ControlKind::label) fitLabel(widget);
  if (spec.tabIndex < 0) widget.clear_visible_focus();
  parent->add(widget);
  parent->redraw();

  const auto id = static_cast<ControlId>(controls_.size());
  controls_.push_back(std::move(record));
  connectEvents(id);
  return id;
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
