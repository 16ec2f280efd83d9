#include "platform/host/headless/headless.h"

#include <algorithm>

#include "platform/host/calendar.h"
#include "platform/host/scale.h"

namespace host::headless {
namespace {

// Where the virtual clock starts: an ordinary weekday morning.
constexpr LocalTime kStart{2026, 3, 2, 9, 10, 0, 0, 0};

std::int64_t ToMilliseconds(const LocalTime& t) {
  const std::int64_t days = calendar::DaysFromCivil(t.year, t.month, t.day);
  return days * calendar::kMillisecondsPerDay +
         ((t.hour * 60 + t.minute) * 60 + t.second) * 1000LL + t.millisecond;
}

LocalTime FromMilliseconds(std::int64_t ms) {
  if (ms < 0) ms = 0;  // the clock never goes before its epoch
  const std::int64_t days = ms / calendar::kMillisecondsPerDay;
  std::int64_t rest = ms % calendar::kMillisecondsPerDay;
  const calendar::CivilDate date = calendar::CivilFromDays(days);
  LocalTime t;
  t.year = static_cast<std::uint16_t>(date.year);
  t.month = static_cast<std::uint16_t>(date.month);
  t.day = static_cast<std::uint16_t>(date.day);
  t.dayOfWeek = static_cast<std::uint16_t>(date.dayOfWeek);
  t.millisecond = static_cast<std::uint16_t>(rest % 1000);
  rest /= 1000;
  t.second = static_cast<std::uint16_t>(rest % 60);
  rest /= 60;
  t.minute = static_cast<std::uint16_t>(rest % 60);
  t.hour = static_cast<std::uint16_t>(rest / 60);
  return t;
}

}  // namespace

std::uint32_t WindowRecord::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= frameWidth || y >= frameHeight) return 0xFFFFFFFFu;
  return frame[static_cast<std::size_t>(y) * frameWidth + x];
}

std::uint32_t WindowRecord::ShownPixel(int x, int y) const {
  if (shown.empty()) return Pixel(x, y);
  if (x < 0 || y < 0 || x >= shownWidth || y >= shownHeight) return 0xFFFFFFFFu;
  return shown[static_cast<std::size_t>(y) * shownWidth + x];
}

std::int64_t PlayedSound::DurationMs() const {
  const int frameBytes = format.channels * format.bitsPerSample / 8;
  if (frameBytes <= 0 || format.samplesPerSecond <= 0) return 0;
  const std::int64_t frames = static_cast<std::int64_t>(samples.size()) / frameBytes;
  const std::int64_t natural = frames * 1000 / format.samplesPerSecond;
  return stoppedAt >= 0 ? stoppedAt - startedAt : natural;
}

HeadlessHost::HeadlessHost() : wallMs_(ToMilliseconds(kStart)) {}

WindowId HeadlessHost::CreateWindow(const WindowOptions& options) {
  const WindowId id = nextWindow_++;
  WindowRecord& record = windows_[id];
  record.options = options;
  record.options.bounds = ScaleUp(options.bounds, scale_);
  return id;
}

void HeadlessHost::DestroyWindow(WindowId window) {
  windows_.erase(window);
}

void HeadlessHost::SetTitle(WindowId window, const std::string& titleUtf8) {
  if (auto it = windows_.find(window); it != windows_.end())
    it->second.options.titleUtf8 = titleUtf8;
}

void HeadlessHost::SetIcon(WindowId window, PixelView argb) {
  auto it = windows_.find(window);
  if (it == windows_.end()) return;
  WindowRecord& record = it->second;
  record.iconWidth = argb.width;
  record.iconHeight = argb.height;
  record.icon.clear();
  for (int y = 0; y < argb.height; ++y) {
    const std::uint32_t* row = argb.pixels + static_cast<std::ptrdiff_t>(y) * argb.stride;
    record.icon.insert(record.icon.end(), row, row + argb.width);
  }
}

void HeadlessHost::SetBounds(WindowId window, Rect bounds) {
  if (auto it = windows_.find(window); it != windows_.end()) {
    it->second.options.bounds = ScaleUp(bounds, scale_);
  }
}

void HeadlessHost::SetVisibility(WindowId window, Visibility visibility) {
  if (auto it = windows_.find(window); it != windows_.end()) it->second.visibility = visibility;
}

void HeadlessHost::SetTraits(WindowId window, WindowTraits traits) {
  if (auto it = windows_.find(window); it != windows_.end()) it->second.options.traits = traits;
}

void HeadlessHost::Focus(WindowId window) {
  for (auto& [id, record] : windows_) record.focused = id == window;
}

void HeadlessHost::Present(WindowId window, PixelView frame, std::span<const Rect> changed) {
  auto it = windows_.find(window);
  if (it == windows_.end() || frame.pixels == nullptr) return;
  WindowRecord& record = it->second;
  if (record.frameWidth != frame.width || record.frameHeight != frame.height) {
    record.frameWidth = frame.width;
    record.frameHeight = frame.height;
    record.frame.assign(static_cast<std::size_t>(frame.width) * frame.height, 0);
  }
  for (const Rect& r : changed) {
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.x + r.width, frame.width);
    const int y1 = std::min(r.y + r.height, frame.height);
    for (int y = y0; y < y1; ++y) {
      const std::uint32_t* from = frame.pixels + static_cast<std::ptrdiff_t>(y) * frame.stride;
      std::copy(from + x0, from + x1,
                record.frame.begin() + static_cast<std::ptrdiff_t>(y) * frame.width + x0);
    }
  }
  if (scale_ > 1) ShowScaled(record, changed);
  record.lastPresented.assign(changed.begin(), changed.end());
  ++record.presentCount;
}

// The screen's picture follows the frame just kept, block for pixel, in the
// changed rectangles only.
void HeadlessHost::ShowScaled(WindowRecord& record, std::span<const Rect> changed) const {
  const int width = record.frameWidth * scale_, height = record.frameHeight * scale_;
  if (record.shownWidth != width || record.shownHeight != height) {
    record.shownWidth = width;
    record.shownHeight = height;
    record.shown.assign(static_cast<std::size_t>(width) * height, 0);
  }
  const PixelView kept{record.frame.data(), record.frameWidth, record.frameHeight,
                       record.frameWidth};
  for (const Rect& r : changed) {
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.x + r.width, record.frameWidth);
    const int y1 = std::min(r.y + r.height, record.frameHeight);
    if (x1 <= x0 || y1 <= y0) continue;
    BlowUp(kept, Rect{x0, y0, x1 - x0, y1 - y0}, scale_,
           reinterpret_cast<std::uint8_t*>(record.shown.data()),
           width * static_cast<int>(sizeof(std::uint32_t)));
  }
}

void HeadlessHost::SetScale(int scale) {
  scale_ = ClampScale(scale);
}

// The same screen as always, in the program's pixels.
Rect HeadlessHost::ScreenBounds() {
  return Rect{0, 0, ScaleDown(1920, scale_), ScaleDown(1080, scale_)};
}

bool HeadlessHost::WaitEvent(Event& event, int timeoutMs) {
  if (events_.empty() && !woken_ && timeoutMs < 0) {
    ++starvedWaits;
    if (onStarved) {
      onStarved();
    } else {
      Event quit;
      quit.type = EventType::Quit;
      events_.push_back(quit);
    }
  }
  if (!events_.empty()) {
    event = std::move(events_.front());
    events_.pop_front();
    ScaleEventDown(event, scale_);
    return true;
  }
  if (woken_) {
    woken_ = false;
    return false;
  }
  // Nothing will ever arrive by itself: waiting is the clock moving on.
  if (timeoutMs > 0) Advance(timeoutMs);
  return false;
}

void HeadlessHost::Wake() {
  woken_ = true;
}

LocalTime HeadlessHost::Now() {
  const LocalTime reading = FromMilliseconds(wallMs_);
  if (readingStepMs_ != 0) Advance(readingStepMs_);
  return reading;
}

std::uint64_t HeadlessHost::Milliseconds() {
  return monotonicMs_;
}

void HeadlessHost::SetNow(const LocalTime& time) {
  wallMs_ = ToMilliseconds(time);
}

void HeadlessHost::Advance(std::int64_t ms) {
  wallMs_ = std::max<std::int64_t>(0, wallMs_ + ms);
  if (ms > 0) monotonicMs_ += static_cast<std::uint64_t>(ms);
}

void HeadlessHost::Push(Event event) {
  events_.push_back(std::move(event));
}

void HeadlessHost::KeyDown(std::uint32_t virtualKey, bool repeat) {
  Event e;
  e.type = EventType::KeyDown;
  e.window = FocusedWindow();
  e.virtualKey = virtualKey;
  e.repeat = repeat;
  Push(e);
}

void HeadlessHost::KeyUp(std::uint32_t virtualKey) {
  Event e;
  e.type = EventType::KeyUp;
  e.window = FocusedWindow();
  e.virtualKey = virtualKey;
  Push(e);
}

void HeadlessHost::Type(const std::u16string& text) {
  for (char16_t c : text) {
    std::uint32_t key = 0;
    if (c >= u'a' && c <= u'z') key = c - u'a' + 'A';
    if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u' ') key = c;
    const bool shifted = c >= u'A' && c <= u'Z';
    if (shifted) KeyDown(0xA0);  // left Shift
    if (key != 0) KeyDown(key);
    Event typed;
    typed.type = EventType::Text;
    typed.window = FocusedWindow();
    typed.text = std::u16string(1, c);
    Push(typed);
    if (key != 0) KeyUp(key);
    if (shifted) KeyUp(0xA0);
  }
}

void HeadlessHost::MoveMouse(WindowId window, int x, int y) {
  Event e;
  e.type = EventType::MouseMove;
  e.window = window;
  e.x = x;
  e.y = y;
  Push(e);
}

void HeadlessHost::MouseButton(WindowId window, int x, int y, int button, bool down) {
  Event e;
  e.type = down ? EventType::MouseDown : EventType::MouseUp;
  e.window = window;
  e.x = x;
  e.y = y;
  e.button = button;
  Push(e);
}

void HeadlessHost::Click(WindowId window, int x, int y, int button) {
  MoveMouse(window, x, y);
  MouseButton(window, x, y, button, true);
  MouseButton(window, x, y, button, false);
}

void HeadlessHost::WindowEvent(WindowId window, EventType type, int x, int y) {
  Event e;
  e.type = type;
  e.window = window;
  e.x = x;
  e.y = y;
  e.width = x;
  e.height = y;
  Push(e);
}

WindowId HeadlessHost::FocusedWindow() const {
  for (const auto& [id, record] : windows_) {
    if (record.focused) return id;
  }
  return 0;
}

const WindowRecord* HeadlessHost::Window(WindowId window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : &it->second;
}

std::vector<WindowId> HeadlessHost::Windows() const {
  std::vector<WindowId> ids;
  for (const auto& entry : windows_) ids.push_back(entry.first);
  return ids;
}

bool HeadlessHost::PlaySound(const PcmFormat& format, std::span<const std::uint8_t> samples,
                             bool loop) {
  StopSound();
  PlayedSound sound;
  sound.format = format;
  sound.samples.assign(samples.begin(), samples.end());
  sound.loop = loop;
  sound.startedAt = wallMs_;
  sounds_.push_back(std::move(sound));
  return true;
}

void HeadlessHost::StopSound() {
  if (sounds_.empty()) return;
  PlayedSound& last = sounds_.back();
  if (last.stoppedAt >= 0) return;
  const std::int64_t elapsed = wallMs_ - last.startedAt;
  if (last.loop || elapsed < last.DurationMs()) last.stoppedAt = wallMs_;
}

int HeadlessHost::JoystickSlots() {
  return joystickSlots_;
}

JoystickState HeadlessHost::ReadJoystick(int index) {
  auto it = joysticks_.find(index);
  if (index < 0 || index >= joystickSlots_ || it == joysticks_.end()) return JoystickState{};
  return it->second;
}

void HeadlessHost::PlugJoystick(int index, JoystickState state) {
  state.plugged = true;
  joysticks_[index] = state;
}

void HeadlessHost::MoveJoystick(int index, std::uint32_t x, std::uint32_t y) {
  auto it = joysticks_.find(index);
  if (it == joysticks_.end()) return;
  it->second.x = x;
  it->second.y = y;
}

void HeadlessHost::UnplugJoystick(int index) {
  joysticks_.erase(index);
}

void HeadlessHost::SetCursor(Cursor cursor) {
  cursor_ = cursor;
}

bool HeadlessHost::OpenAddress(const std::string& target) {
  addresses_.push_back(target);
  return openAccepted_;
}

void HeadlessHost::OnMessageBox(WindowId window, const std::string& textUtf8,
                                const std::string& captionUtf8, unsigned style) {
  const MessageBoxRecord record{window, textUtf8, captionUtf8, style};
  messageBoxes_.push_back(record);
  // A copy: the answer may open another box.
  if (onMessageBox) onMessageBox(record);
}

HeadlessHost& Instance() {
  Host& current = Current();
  return static_cast<HeadlessHost&>(current);
}

}  // namespace host::headless

namespace host {
Host* CreateLinkedHost() {
  static headless::HeadlessHost instance;
  return &instance;
}
}  // namespace host
