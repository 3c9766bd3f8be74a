// The built plug-in's editor in a real X server, driven like a host drives
// it: a parent window of the host's own, effEditOpen with its id, real input
// through the XTest extension, effEditIdle pumping, effEditClose.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "XvfbServer.h"
#include "host/PluginHost.h"

namespace {

using tamzor::host::HostRequest;
using tamzor::host::Plugin;

constexpr VstIntPtr kVirtUp = 12;
constexpr VstInt32 kInput = 0, kChannel = 1, kDrive = 2, kContour = 7, kVolume = 9, kBoost = 12;

int hostErrors = 0;
int countHostError(Display*, XErrorEvent*) {
  ++hostErrors;
  return 0;
}

int openDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

class EditorX11Test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server = new editortest::XvfbServer(); }
  static void TearDownTestSuite() {
    delete server;
    server = nullptr;
  }

  void SetUp() override {
    if (!server->running()) GTEST_SKIP() << "no X server for the test: " << server->problem();
    setenv("DISPLAY", server->displayName().c_str(), 1);
    display = XOpenDisplay(server->displayName().c_str());
    ASSERT_NE(display, nullptr);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    ASSERT_TRUE(XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor));
    previousHandler = XSetErrorHandler(countHostError);
    hostErrors = 0;
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 700, 300, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    auto loaded = tamzor::host::loadPlugin(TAMZOR_PLUGIN_PATH);
    ASSERT_TRUE(loaded) << loaded.error;
    plugin = std::move(loaded.plugin);
  }

  void TearDown() override {
    plugin.reset();
    if (display != nullptr) {
      if (parent != 0) XDestroyWindow(display, parent);
      XSync(display, False);
      XSetErrorHandler(previousHandler);
      XCloseDisplay(display);
    }
  }

  bool openEditor() {
    ERect* rect = nullptr;
    if (plugin->dispatch(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr) return false;
    if (rect->right - rect->left != 660 || rect->bottom - rect->top != 248) return false;
    const bool opened = plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)) == 1;
    pumpUntil([] { return false; }, 5);
    return opened;
  }

  // Calls effEditIdle about 40 times a second until `done` holds (or up to
  // `rounds` times).
  void pumpUntil(const std::function<bool()>& done, int rounds = 100) {
    for (int i = 0; i < rounds; ++i) {
      XSync(display, False);
      plugin->dispatch(effEditIdle);
      if (done()) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
  }

  Window editorWindow() {
    Window root = 0, parentOfParent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, parent, &root, &parentOfParent, &children, &count);
    const Window child = count == 1 ? children[0] : 0;
    if (children != nullptr) XFree(children);
    return child;
  }
  int childCount() {
    Window root = 0, parentOfParent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, parent, &root, &parentOfParent, &children, &count);
    if (children != nullptr) XFree(children);
    return static_cast<int>(count);
  }

  // Real input at panel coordinates.
  void moveTo(int x, int y) {
    int rootX = 0, rootY = 0;
    Window ignored = 0;
    XTranslateCoordinates(display, parent, DefaultRootWindow(display), x, y, &rootX, &rootY, &ignored);
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
    XSync(display, False);
  }
  void button(unsigned int number, bool down) {
    XTestFakeButtonEvent(display, number, down ? True : False, CurrentTime);
    XSync(display, False);
  }
  void key(KeySym sym, bool down) {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, sym), down ? True : False, CurrentTime);
    XSync(display, False);
  }
  void clickAt(int x, int y, KeySym modifier = NoSymbol) {
    moveTo(x, y);
    if (modifier != NoSymbol) key(modifier, true);
    button(1, true);
    button(1, false);
    if (modifier != NoSymbol) key(modifier, false);
  }
  void dragUp(int x, int y, int pixels, KeySym modifier = NoSymbol) {
    moveTo(x, y);
    if (modifier != NoSymbol) key(modifier, true);
    button(1, true);
    for (int step = 10; step <= pixels; step += 10) {
      moveTo(x, y - step);
      plugin->dispatch(effEditIdle);  // a drag interleaved with the host's idle
    }
    button(1, false);
    if (modifier != NoSymbol) key(modifier, false);
  }
  void settle() {
    pumpUntil([] { return false; }, 8);
  }

  // Gesture requests sent so far, as "begin 2", "automate 2", "end 2".
  static std::string label(const char* what, VstInt32 index) {
    char text[32];
    std::snprintf(text, sizeof text, "%s %d", what, index);
    return text;
  }
  std::vector<std::string> gestureRequests() {
    std::vector<std::string> out;
    for (const HostRequest& r : plugin->requests()) {
      if (r.opcode == audioMasterBeginEdit) out.push_back(label("begin", r.index));
      if (r.opcode == audioMasterEndEdit) out.push_back(label("end", r.index));
      if (r.opcode == audioMasterAutomate) {
        if (out.empty() || out.back() != label("automate", r.index)) out.push_back(label("automate", r.index));
      }
    }
    plugin->clearRequests();
    return out;
  }
  float lastAutomated(VstInt32 index) {
    float value = -1.0f;
    for (const HostRequest& r : plugin->requests())
      if (r.opcode == audioMasterAutomate && r.index == index) value = r.opt;
    return value;
  }

  static editortest::XvfbServer* server;
  Display* display = nullptr;
  XErrorHandler previousHandler = nullptr;
  Window parent = 0;
  std::unique_ptr<Plugin> plugin;
};

editortest::XvfbServer* EditorX11Test::server = nullptr;

// Reads the editor window from the server and writes it as PNG; false when
// it cannot. `pixels` receives the 0xRRGGBB values row by row.
bool screenshot(Display* display, Window window, const std::string& path, std::vector<std::uint32_t>& pixels) {
  XImage* image = XGetImage(display, window, 0, 0, 660, 248, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 660, 248);
  auto* data = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface));
  const int stride = cairo_image_surface_get_stride(surface) / 4;
  pixels.assign(660 * 248, 0);
  for (int y = 0; y < 248; ++y)
    for (int x = 0; x < 660; ++x) {
      const auto rgb = static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xffffff);
      data[y * stride + x] = rgb;
      pixels[static_cast<std::size_t>(y * 660 + x)] = rgb;
    }
  cairo_surface_mark_dirty(surface);
  XDestroyImage(image);
  const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

// The panel as tamzor-panel renders it offscreen at the plug-in's values.
bool offscreenRendering(Plugin& plugin, const std::string& path, std::vector<std::uint32_t>& pixels) {
  std::string command = "'";
  command += TAMZOR_PANEL_TOOL;
  command += "' '";
  command += path;
  command += "'";
  for (VstInt32 i = 0; i < 13; ++i) {
    char setting[48];
    std::snprintf(setting, sizeof setting, " %d=%.9g", i, static_cast<double>(plugin.getParameter(i)));
    command += setting;
  }
  if (std::system(command.c_str()) != 0) return false;
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return false;
  const auto* data = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface));
  const int stride = cairo_image_surface_get_stride(surface) / 4;
  pixels.assign(660 * 248, 0);
  for (int y = 0; y < 248; ++y)
    for (int x = 0; x < 660; ++x) pixels[static_cast<std::size_t>(y * 660 + x)] = data[y * stride + x] & 0xffffff;
  cairo_surface_destroy(surface);
  return true;
}

TEST_F(EditorX11Test, RealInputReachesTheEffectAndTheHost) {
  plugin->setParameter(kDrive, 0.2f);
  plugin->setParameter(kVolume, 0.5f);
  plugin->setParameter(kContour, 0.9f);
  ASSERT_TRUE(openEditor());
  const Window child = editorWindow();
  ASSERT_NE(child, 0u);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, child, &attributes);
  EXPECT_EQ(attributes.width, 660);
  EXPECT_EQ(attributes.height, 248);
  EXPECT_EQ(attributes.map_state, IsViewable);
  plugin->clearRequests();

  // Drag Drive 100 pixels up.
  dragUp(207, 198, 100);
  pumpUntil([&] { return plugin->getParameter(kDrive) > 0.69f; });
  settle();
  EXPECT_FLOAT_EQ(plugin->getParameter(kDrive), 0.7f);
  EXPECT_FLOAT_EQ(lastAutomated(kDrive), 0.7f);
  EXPECT_EQ(gestureRequests(), (std::vector<std::string>{"begin 2", "automate 2", "end 2"}));

  // The same with Shift held: 100 pixels are a third of the range.
  plugin->setParameter(kDrive, 0.2f);
  dragUp(207, 198, 100, XK_Shift_L);
  settle();
  EXPECT_NEAR(plugin->getParameter(kDrive), 0.2f + 100.0f / 300.0f, 1e-6f);
  plugin->clearRequests();

  // Ctrl-click: back to the default.
  clickAt(322, 198, XK_Control_L);
  pumpUntil([&] { return plugin->getParameter(kContour) == 0.5f; });
  EXPECT_EQ(plugin->getParameter(kContour), 0.5f);
  EXPECT_EQ(gestureRequests(), (std::vector<std::string>{"begin 7", "automate 7", "end 7"}));

  // A switch click.
  clickAt(162, 204);
  pumpUntil([&] { return plugin->getParameter(kBoost) == 1.0f; });
  EXPECT_EQ(plugin->getParameter(kBoost), 1.0f);
  EXPECT_EQ(gestureRequests(), (std::vector<std::string>{"begin 12", "automate 12", "end 12"}));

  // The Channel switch: only Channel itself is automated.
  clickAt(125, 205);
  pumpUntil([&] { return plugin->getParameter(kChannel) == 1.0f; });
  EXPECT_EQ(plugin->getParameter(kChannel), 1.0f);
  EXPECT_EQ(gestureRequests(), (std::vector<std::string>{"begin 1", "automate 1", "end 1"}));
  clickAt(125, 205);
  pumpUntil([&] { return plugin->getParameter(kChannel) == 0.0f; });
  // Back on the first channel, Drive comes back from that channel's memory.
  EXPECT_NEAR(plugin->getParameter(kDrive), 0.2f + 100.0f / 300.0f, 1e-6f);
  plugin->clearRequests();

  // One wheel notch up on Volume.
  moveTo(571, 198);
  button(4, true);
  button(4, false);
  pumpUntil([&] { return plugin->getParameter(kVolume) > 0.55f; });
  EXPECT_FLOAT_EQ(plugin->getParameter(kVolume), 0.6f);
  EXPECT_EQ(gestureRequests(), (std::vector<std::string>{"begin 9", "automate 9", "end 9"}));

  // Keys from the host go to the knob touched last; tab moves on.
  EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, kVirtUp, nullptr, 0.0f), 1);
  EXPECT_FLOAT_EQ(plugin->getParameter(kVolume), 0.7f);
  EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, kVirtUp, nullptr, 1.0f), 1);
  EXPECT_FLOAT_EQ(plugin->getParameter(kVolume), 0.71f);
  EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, 2, nullptr, 0.0f), 0);  // tab after Volume: not handled
  EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, 2, nullptr, 0.0f), 1);  // tab from nothing: Input
  EXPECT_EQ(plugin->dispatch(effEditKeyDown, 0, kVirtUp, nullptr, 0.0f), 1);
  EXPECT_FLOAT_EQ(plugin->getParameter(kInput), 0.6f);
  EXPECT_EQ(plugin->dispatch(effEditKeyDown, 'q', 0, nullptr, 0.0f), 0);
  EXPECT_EQ(plugin->dispatch(effEditKeyUp, 0, kVirtUp, nullptr, 0.0f), 0);
  // Keys typed into the editor's own window when it has the keyboard focus.
  XSetInputFocus(display, child, RevertToParent, CurrentTime);
  key(XK_Down, true);
  key(XK_Down, false);
  pumpUntil([&] { return plugin->getParameter(kInput) < 0.55f; });
  EXPECT_FLOAT_EQ(plugin->getParameter(kInput), 0.5f);
  plugin->clearRequests();

  // What the server shows is what the toolkit renders offscreen.
  settle();
  std::vector<std::uint32_t> shown, rendered;
  const std::string shot = std::string(TAMZOR_TEST_OUTPUT_DIR) + "/editor-x11-screenshot.png";
  const std::string reference = std::string(TAMZOR_TEST_OUTPUT_DIR) + "/editor-offscreen-reference.png";
  ASSERT_TRUE(screenshot(display, child, shot, shown));
  ASSERT_TRUE(offscreenRendering(*plugin, reference, rendered));
  std::vector<std::uint32_t> colours(shown);
  std::sort(colours.begin(), colours.end());
  EXPECT_GT(std::unique(colours.begin(), colours.end()) - colours.begin(), 3) << "the panel looks empty";
  int differing = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) differing += shown[i] != rendered[i];
  EXPECT_EQ(differing, 0) << "see " << shot << " and " << reference;

  plugin->dispatch(effEditClose);
  XSync(display, False);
  EXPECT_EQ(childCount(), 0);
}

TEST_F(EditorX11Test, OpenAndCloseCyclesLeakNothingAndRestoreTheErrorHandler) {
  ASSERT_TRUE(openEditor());
  plugin->dispatch(effEditClose);
  const int descriptors = openDescriptors();
  for (int cycle = 0; cycle < 20; ++cycle) {
    ASSERT_TRUE(openEditor());
    ASSERT_EQ(childCount(), 1);
    if (cycle % 5 == 0) {
      ASSERT_TRUE(openEditor());  // open twice: still one window
    }
    EXPECT_EQ(childCount(), 1);
    // The host's own X errors still reach the host's handler while we are open.
    const int errorsBefore = hostErrors;
    XMapWindow(display, 0x7ffffff0);
    XSync(display, False);
    EXPECT_EQ(hostErrors, errorsBefore + 1);
    plugin->dispatch(effEditClose);
    XSync(display, False);
    EXPECT_EQ(childCount(), 0);
  }
  EXPECT_EQ(openDescriptors(), descriptors);
  EXPECT_EQ(XSetErrorHandler(countHostError), &countHostError);
}

TEST_F(EditorX11Test, AParentDestroyedBeforeCloseDoesNotHurtTheHost) {
  ASSERT_TRUE(openEditor());
  moveTo(162, 204);
  XDestroyWindow(display, parent);
  XSync(display, False);
  parent = 0;
  pumpUntil([] { return false; }, 5);
  button(1, true);
  button(1, false);
  pumpUntil([] { return false; }, 3);
  plugin->dispatch(effEditClose);
  EXPECT_EQ(hostErrors, 0);
  // A parent that never existed.
  EXPECT_EQ(plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(0x7fffff00)), 1);
  pumpUntil([] { return false; }, 3);
  plugin->dispatch(effEditClose);
  EXPECT_EQ(hostErrors, 0);
}

TEST_F(EditorX11Test, TheEditorRunsOnAHostThreadOtherThanTheEffectsCreator) {
  plugin->setParameter(kBoost, 0.0f);
  std::thread userInterface([&] {
    ASSERT_TRUE(openEditor());
    clickAt(162, 204);
    pumpUntil([&] { return plugin->getParameter(kBoost) == 1.0f; });
    plugin->dispatch(effEditClose);
  });
  // Automation from this thread meanwhile.
  for (int i = 0; i < 200; ++i) plugin->setParameter(kInput, static_cast<float>(i % 10) / 10.0f);
  userInterface.join();
  EXPECT_EQ(plugin->getParameter(kBoost), 1.0f);
  EXPECT_EQ(childCount(), 0);
}

TEST_F(EditorX11Test, ClosingTheEffectWithTheEditorOpenClosesTheEditor) {
  ASSERT_TRUE(openEditor());
  ASSERT_EQ(childCount(), 1);
  moveTo(207, 198);
  button(1, true);  // a drag in progress
  pumpUntil([] { return false; }, 3);
  plugin->close();
  button(1, false);
  XSync(display, False);
  EXPECT_EQ(childCount(), 0);
}

void keepRunning(Display*, void*) {}

TEST(EditorX11ServerLoss, TheXServerGoingAwayDoesNotEndTheHost) {
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "Xlib's own handling of a lost connection juggles its display lock in a way the "
                  "thread checker reports";
#endif
#if defined(__SANITIZE_ADDRESS__)
  // Both connections to the lost server are given up without freeing them.
  __lsan::ScopedDisabler connectionsLeftBehind;
#endif
  editortest::XvfbServer doomed;
  if (!doomed.running()) GTEST_SKIP() << "no X server for the test: " << doomed.problem();
  setenv("DISPLAY", doomed.displayName().c_str(), 1);
  Display* display = XOpenDisplay(doomed.displayName().c_str());
  ASSERT_NE(display, nullptr);
  // The host survives its own connection's loss too; that part is up to the host.
  XSetIOErrorExitHandler(display, keepRunning, nullptr);
  const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 700, 300, 0, 0, 0);
  XMapWindow(display, parent);
  XSync(display, False);
  auto loaded = tamzor::host::loadPlugin(TAMZOR_PLUGIN_PATH);
  ASSERT_TRUE(loaded) << loaded.error;
  Plugin& plugin = *loaded.plugin;
  ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
  for (int i = 0; i < 5; ++i) plugin.dispatch(effEditIdle);
  doomed.stop();
  for (int i = 0; i < 5; ++i) {
    plugin.dispatch(effEditIdle);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  plugin.dispatch(effEditClose);
  // The editor opens again later (without a server it draws offscreen).
  EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
  plugin.dispatch(effEditIdle);
  plugin.setParameter(kDrive, 0.3f);
  plugin.dispatch(effEditIdle);
  plugin.dispatch(effEditClose);
  EXPECT_FLOAT_EQ(plugin.getParameter(kDrive), 0.3f);
  // The host's dead connection is left alone.
}

}  // namespace
