// Controls: their widgets inside the window or a frame, what the model shows on them, and the events
// they report.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <utility>

#include "platform/fltk/fltk_check_box.h"
#include "platform/fltk/fltk_colors.h"
#include "platform/fltk/fltk_combo_box.h"
#include "platform/fltk/fltk_frame_box.h"
#include "platform/fltk/fltk_labels.h"
#include "platform/fltk/fltk_painter.h"
#include "platform/fltk/fltk_platform.h"
#include "platform/fltk/fltk_surface_widget.h"
#include "platform/fltk/fltk_text_label.h"
#include "platform/fltk/fltk_top_window.h"
#include "platform/shared/hosted_surface.h"

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

Fl_Widget* makeWidget(PixelRect a, const ControlSpec& spec) {
  switch (spec.kind) {
    case ControlKind::frame:
      return new FrameBox(a.left, a.top, a.width, a.height);
    case ControlKind::label:
      return new TextLabel(a.left, a.top, a.width, a.height);
    case ControlKind::textBox:
      return new TextField(a.left, a.top, a.width, a.height);
    case ControlKind::comboBox:
      return new ComboBox(a.left, a.top, a.width, a.height, spec.items);
    case ControlKind::checkBox:
      return new TriStateCheck(a.left, a.top, a.width, a.height);
    case ControlKind::button:
      break;
  }
  return new Fl_Button(a.left, a.top, a.width, a.height);
}

}  // namespace

Fl_Widget* FltkPlatform::focusTarget(ControlId id) const {
  Fl_Widget* w = widget(id);
  if (auto* combo = dynamic_cast<ComboBox*>(w)) return &combo->input();
  return w;
}

TextField* FltkPlatform::fieldOf(ControlId id) const { return dynamic_cast<TextField*>(focusTarget(id)); }

std::optional<ControlId> FltkPlatform::controlOf(const Fl_Widget* w) const {
  for (std::size_t i = 0; w && i < widgets_.size(); ++i) {
    const auto id = static_cast<ControlId>(i);
    if (widget(id) == w || focusTarget(id) == w) return id;
  }
  return std::nullopt;
}

// The model has checked the container: a frame of the same window.
void FltkPlatform::makeNativeControl(ControlId id, PixelRect area) {
  const ControlRecord& c = record(id);
  Fl_Group* parent = &topWindow(c.window);
  if (c.spec.container) parent = static_cast<Fl_Group*>(widget(*c.spec.container));
  Fl_Group::current(nullptr);
  Fl_Widget* w = c.surface ? new SurfaceWidget(*this, id, area) : makeWidget(area, c.spec);
  widgets_.push_back(w);
  if (TextField* field = fieldOf(id)) {
    field->maxLength = std::max(c.spec.maxLength, 0);
    field->textcolor(toFlColor(c.spec.foreColor));
  }
  if (!c.surface) {
    // A combo box starts empty: its caption is no item.
    setNativeText(id, c.spec.kind == ControlKind::comboBox ? std::string() : c.spec.caption);
    w->labelcolor(toFlColor(c.spec.foreColor));
    fitToResolution(id, record(c.window).dpi);
  }
  if (c.spec.tabIndex < 0) w->clear_visible_focus();
  parent->add(w);
  parent->redraw();
  connectEvents(id);
}

// Hooks the widget's events to the model's reports.
void FltkPlatform::connectEvents(ControlId id) {
  if (dynamic_cast<Fl_Button*>(widget(id))) widget(id)->callback(widgetCallback, this);
  if (TextField* field = fieldOf(id)) {
    field->callback(widgetCallback, this);
    field->onKeyPress = [this, id](int& keyAscii) { keyTyped(id, keyAscii); };
  }
  if (auto* combo = dynamic_cast<ComboBox*>(widget(id))) {
    combo->pickedItem = [this, id] { return listIndex(id); };
    combo->onPicked = [this, id](int item) { itemPicked(id, item); };
  }
}

// FLTK's own callback: a button's or a check box's click, or an edit of a field's text.
void FltkPlatform::widgetCallback(Fl_Widget* widget, void* platform) {
  auto& self = *static_cast<FltkPlatform*>(platform);
  const auto id = self.controlOf(widget);
  if (id && dynamic_cast<Fl_Button*>(widget)) self.clicked(*id);
  if (id && dynamic_cast<TextField*>(widget)) self.textEdited(*id);
}

void FltkPlatform::placeNative(ControlId id, PixelRect area, int dpi) {
  if (auto* surface = dynamic_cast<SurfaceWidget*>(widget(id))) {
    surface->place(area);
    return;
  }
  widget(id)->resize(area.left, area.top, area.width, area.height);
  fitToResolution(id, dpi);
}

void FltkPlatform::fitToResolution(ControlId id, int dpi) {
  Fl_Widget& w = *widget(id);
  const ResolvedFont font = fonts_.resolve(record(id).spec.font, dpi);
  w.labelfont(static_cast<Fl_Font>(font.face));
  w.labelsize(font.pixels);
  if (TextField* field = fieldOf(id)) {
    field->textfont(static_cast<Fl_Font>(font.face));
    field->textsize(font.pixels);
  }
  if (auto* combo = dynamic_cast<ComboBox*>(&w)) combo->fitToResolution(font, dpi);
  if (auto* check = dynamic_cast<TriStateCheck*>(&w)) check->fitToResolution(dpi);
  if (record(id).spec.kind == ControlKind::label) fitLabel(w);
  w.redraw();
}

std::string FltkPlatform::nativeText(ControlId id) const {
  const TextField* field = fieldOf(id);
  return field ? std::string(field->value(), static_cast<std::size_t>(field->size())) : std::string();
}

void FltkPlatform::setNativeText(ControlId id, std::string_view text) {
  if (TextField* field = fieldOf(id)) {
    // Not cut to the typing limit: that limit is for the user only.
    field->value(text.data(), static_cast<int>(text.size()));
    return;
  }
  Fl_Widget& w = *widget(id);
  w.copy_label(literalLabel(text).c_str());
  if (record(id).spec.kind == ControlKind::label) fitLabel(w);
  if (w.parent()) w.parent()->redraw();
}

void FltkPlatform::showCheckValue(ControlId id, int value) {
  if (auto* check = dynamic_cast<TriStateCheck*>(widget(id))) check->state(value);
}

bool FltkPlatform::nativeFocusable(ControlId id) const {
  const Fl_Widget* w = widget(id);
  return w && w->active_r() && w->visible_r();
}

// NOTE: FLTK selects a field's text itself when Tab gives it the keyboard: the event is then that key.
bool FltkPlatform::giveNativeFocus(ControlId id, bool) {
  Fl_Widget* target = focusTarget(id);
  return target && target->take_focus() != 0;
}

void FltkPlatform::enableNative(ControlId id, bool enabled) {
  enabled ? widget(id)->activate() : widget(id)->deactivate();
}

void FltkPlatform::setNativeToolTip(ControlId id, std::string_view text) {
  widget(id)->copy_tooltip(text.empty() ? nullptr : std::string(text).c_str());
}

void FltkPlatform::repaintNative(ControlId id) { widget(id)->redraw(); }

// The control may be dropped from inside one of its own event handlers: the widget goes once the
// event is over.
void FltkPlatform::dropNativeSurface(ControlId id) {
  Fl::delete_widget(std::exchange(widgets_.at(static_cast<std::size_t>(id)), nullptr));
}

TwipsSize FltkPlatform::measureNativeText(std::string_view text, const CaptionFont& font, double wrapWidth,
                                          int dpi) const {
  FltkCanvas measure(0, 0, dpi, fonts_);
  return measureInTwips(text, font, wrapWidth, measure);
}

}  // namespace quorvel
