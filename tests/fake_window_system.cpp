#include "fake_window_system.h"

#include <algorithm>

namespace dwelvane::testing {

void FakeWindowSystem::Type(int gadget, std::string_view text) {
  if (Enabled(gadget)) {
    SetText(gadget, text);
  }
}

void FakeWindowSystem::Click(int gadget) {
  if (!Enabled(gadget)) {
    return;
  }
  const GadgetLayout* layout = Gadget(gadget);
  if (layout != nullptr && layout->kind == GadgetKind::kCheckBox) {
    ticks_[gadget] = !Ticked(gadget);
  } else if (layout != nullptr && layout->kind == GadgetKind::kOption) {
    SetTick(gadget, true);
  }
  pending_.push_back({kGadgetEvent, gadget});
}

const GadgetLayout* FakeWindowSystem::Gadget(int number) const {
  const auto found =
      std::find_if(created_.begin(), created_.end(),
                   [&](const GadgetLayout* layout) { return layout->number == number; });
  return found == created_.end() ? nullptr : *found;
}

std::string FakeWindowSystem::Text(int gadget) const {
  const auto found = texts_.find(gadget);
  return found == texts_.end() ? std::string() : found->second;
}

bool FakeWindowSystem::OpenWindow(std::string_view title) {
  open_ = true;
  window_titles.emplace_back(title);
  created_.clear();
  created_texts_.clear();
  texts_.clear();
  ticks_.clear();
  disabled_.clear();
  return true;
}

void FakeWindowSystem::CloseWindow() {
  open_ = false;
}

void FakeWindowSystem::CreateGadget(const GadgetLayout& layout, std::string_view text) {
  created_.push_back(&layout);
  created_texts_[layout.number] = std::string(text);
}

void FakeWindowSystem::SetText(int gadget, std::string_view text) {
  texts_[gadget] = std::string(text);
  // A toolkit reports every change of a text field, the program's own ones too.
  const GadgetLayout* layout = Gadget(gadget);
  if (layout != nullptr && layout->kind == GadgetKind::kTextField) {
    pending_.push_back({kGadgetEvent, gadget});
  }
}

void FakeWindowSystem::SetTick(int gadget, bool ticked) {
  ticks_[gadget] = ticked;
  // Ticking an option clears the others of its group.
  const GadgetLayout* layout = Gadget(gadget);
  if (!ticked || layout == nullptr || layout->group == kNoGroup) {
    return;
  }
  for (const GadgetLayout* other : created_) {
    if (other->group == layout->group && other->number != gadget) {
      ticks_[other->number] = false;
    }
  }
}

void FakeWindowSystem::SetEnabled(int gadget, bool enabled) {
  if (enabled) {
    disabled_.erase(gadget);
  } else {
    disabled_.insert(gadget);
  }
}

void FakeWindowSystem::SetProgress(int, int position) {
  progress.push_back(position);
}

WindowEvent FakeWindowSystem::WaitEvent() {
  while (pending_.empty() && !script.empty()) {
    const Action action = std::move(script.front());
    script.pop_front();
    action(*this);
  }
  if (pending_.empty()) {
    return {kCloseEvent, gadget::kNone};
  }
  const WindowEvent event = pending_.front();
  pending_.pop_front();
  return event;
}

std::optional<WindowEvent> FakeWindowSystem::PollEvent() {
  if (pending_.empty() && !while_running.empty()) {
    const Action action = std::move(while_running.front());
    while_running.pop_front();
    action(*this);
  }
  if (pending_.empty()) {
    return std::nullopt;
  }
  const WindowEvent event = pending_.front();
  pending_.pop_front();
  return event;
}

void FakeWindowSystem::ShowMessage(std::string_view caption, std::string_view text) {
  messages.push_back(std::string(caption) + "|" + std::string(text));
}

}  // namespace dwelvane::testing
