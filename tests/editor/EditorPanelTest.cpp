// The panel: rectangle, control table, first drawing, hit testing, the
// open/close lifecycle and image ownership.
#include "EditorFixture.h"

#include "CBitmap.h"

#include <new>

using namespace editortest;

namespace {

TEST_F(EditorTest, RectangleIsValidBeforeTheFirstOpen) {
  ERect* rect = nullptr;
  ASSERT_TRUE(editor->getRect(&rect));
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 248);
  EXPECT_EQ(rect->right, 660);
  EXPECT_FALSE(editor->getRect(nullptr));
  EXPECT_TRUE(effect->getAeffect()->flags & effFlagsHasEditor);
}

TEST_F(EditorTest, OpenBuildsTheControlTableInOrder) {
  openEditor();
  CFrame* frame = editor->getFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->getViewSize(), (CRect{0, 0, 660, 248}));
  const struct {
    long tag;
    bool knob;
    CRect rect;
  } table[] = {
      {0, true, {62, 176, 107, 221}},   {1, false, {100, 192, 150, 218}}, {12, false, {158, 200, 166, 208}},
      {10, false, {551, 128, 601, 154}}, {2, true, {185, 176, 230, 221}},  {3, true, {237, 176, 282, 221}},
      {7, true, {300, 176, 345, 221}},  {4, true, {351, 176, 396, 221}},  {5, true, {400, 176, 445, 221}},
      {6, true, {449, 176, 494, 221}},  {8, true, {499, 176, 544, 221}},  {9, true, {549, 176, 594, 221}},
      {11, false, {551, 108, 601, 134}},
  };
  ASSERT_EQ(frame->getNbViews(), 13);
  for (int i = 0; i < 13; ++i) {
    auto* view = dynamic_cast<CControl*>(frame->getView(i));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->getTag(), table[i].tag) << "row " << i;
    EXPECT_EQ(view->getViewSize(), table[i].rect) << "tag " << table[i].tag;
    EXPECT_EQ(dynamic_cast<CAnimKnob*>(view) != nullptr, table[i].knob) << "tag " << table[i].tag;
    EXPECT_EQ(view->wantsFocus(), table[i].knob);
    EXPECT_EQ(view->getDefaultValue(), 0.5f);
  }
}

TEST_F(EditorTest, ControlsShowTheEffectsValuesRightAfterOpen) {
  effect->setParameter(2, 1.0f);   // Drive
  effect->setParameter(6, 0.0f);   // High
  effect->setParameter(10, 0.7f);  // Mono/Stereo between the states
  openEditor();
  // Sub-image k of the test film strip carries k in its red channel.
  EXPECT_EQ(pixel(62 + 22, 176 + 22), 0xff1f0000u);   // Input at 0.5: image 31
  EXPECT_EQ(pixel(185 + 22, 176 + 22), 0xff3e0000u);  // Drive at 1: image 62
  EXPECT_EQ(pixel(449 + 22, 176 + 22), 0xff000000u);  // High at 0: image 0
  EXPECT_EQ(pixel(120, 200), 0xff000000u);            // Channel at 0: upper (black) image
  EXPECT_EQ(pixel(570, 150), 0xffffffffu);            // Mono/Stereo at 0.7: lower (white) image
  EXPECT_EQ(pixel(570, 120), 0xff000000u);            // LowQ/HighQ at 0: upper image
  EXPECT_EQ(pixel(5, 7), 0xff050764u);                // background, opaque
}

TEST_F(EditorTest, PressesInTheSharedRowsGoToTheQualitySwitch) {
  openEditor();
  const struct {
    CPoint where;
    long tag;
  } cases[] = {{{560, 130}, 11}, {{560, 134}, 11}, {{560, 135}, 10}, {{560, 108}, 11}, {{601, 154}, 10}};
  for (const auto& c : cases) {
    auto* view = dynamic_cast<CControl*>(editor->getFrame()->viewForPress(c.where));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->getTag(), c.tag) << c.where.y;
  }
  click({560, 134});
  EXPECT_EQ(effect->getParameter(11), 1.0f);
  EXPECT_EQ(effect->getParameter(10), 0.0f);
}

TEST_F(EditorTest, CloseAndOpenCyclesRebuildWithoutKeepingImages) {
  const int baseline = CBitmap::liveCount();  // the background
  editor->close();                            // close without open is harmless
  for (int cycle = 0; cycle < 5; ++cycle) {
    openEditor();
    EXPECT_GT(CBitmap::liveCount(), baseline);
    effect->setParameter(5, 0.1f * static_cast<float>(cycle));  // changed while open or closed
    editor->close();
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_EQ(CBitmap::liveCount(), baseline);
    effect->setParameter(4, 0.1f * static_cast<float>(cycle));
  }
  openEditor();
  EXPECT_FLOAT_EQ(control(4)->getValue(), 0.4f);  // refilled from the effect
  // A second open without close replaces the panel.
  openEditor();
  EXPECT_EQ(editor->getFrame()->getNbViews(), 13);
  editor->close();
  EXPECT_EQ(CBitmap::liveCount(), baseline);
}

TEST_F(EditorTest, DestroyingTheEffectWithTheEditorOpenTakesItDown) {
  const int before = CBitmap::liveCount() - 1;  // without the background
  openEditor();
  press(centreOf(2), kLButton);  // a drag still in progress
  editor->idle();
  HostLog::instance().take();
  effect.reset();
  EXPECT_EQ(CBitmap::liveCount(), before);
}

TEST(EditorConstruction, AnEditorWhoseConstructionFailsIsNotLeftWithTheEffect) {
  // Running out of memory after the editor has registered itself (loading
  // its background, say): the effect must not keep the half-built editor.
  struct FailingEditor final : RIDuvaro {
    explicit FailingEditor(AudioEffectX* owner) : RIDuvaro(owner) { throw std::bad_alloc(); }
  };
  guitest::OffscreenWindows windows;
  testimages::ResourceTable images;
  testimages::addPanelImages(images);
  auto effect = std::make_unique<ChannelEffect>();
  EXPECT_THROW(new FailingEditor(effect.get()), std::bad_alloc);
  EXPECT_EQ(effect->getEditor(), nullptr);
  EXPECT_EQ(effect->getAeffect()->flags & effFlagsHasEditor, 0);
  effect->setParameter(2, 0.7f);  // nothing left to tell
  effect.reset();                 // nor to delete
}

TEST(EditorWithEmbeddedImages, ImagesHaveTheirLayoutSizes) {
  guitest::OffscreenWindows windows;
  gui::setImageResourceLookup(nullptr);  // the editor brings its own
  ChannelEffect effect;
  auto* editor = new RIDuvaro(&effect);
  ERect* rect = nullptr;
  ASSERT_TRUE(editor->getRect(&rect));
  EXPECT_EQ(rect->right, 660);
  EXPECT_EQ(rect->bottom, 248);
  ASSERT_TRUE(editor->open(nullptr));
  const struct {
    long tag;
    int width, height;
  } sizes[] = {{0, 45, 45}, {1, 50, 26}, {12, 8, 8}, {10, 50, 26}, {3, 45, 45}, {9, 45, 45}, {11, 50, 26}};
  for (const auto& s : sizes) {
    const CRect& area = editor->getFrame()->findControl(s.tag)->getViewSize();
    EXPECT_EQ(area.width(), s.width) << s.tag;
    EXPECT_EQ(area.height(), s.height) << s.tag;
  }
  // The background is opaque everywhere.
  editor->idle();
  for (CPoint p : {CPoint{0, 0}, CPoint{659, 247}, CPoint{330, 100}})
    EXPECT_EQ(testimages::pixelAt(editor->getFrame()->picture(), p.x, p.y) >> 24, 0xffu);
  editor->close();
  gui::setImageResourceLookup(nullptr);
}

TEST(EditorWithoutImages, OpensWithEmptyControlsAndKeepsThePanelSize) {
  guitest::OffscreenWindows windows;
  ChannelEffect effect;
  testimages::ResourceTable emptyTable;  // nothing to load
  auto* editor = new RIDuvaro(&effect);
  ERect* rect = nullptr;
  ASSERT_TRUE(editor->getRect(&rect));
  EXPECT_EQ(rect->right, 660);
  EXPECT_EQ(rect->bottom, 248);
  ASSERT_TRUE(editor->open(nullptr));
  editor->idle();
  EXPECT_EQ(editor->getFrame()->getNbViews(), 13);
  editor->getFrame()->onMouseDown({70, 180}, kLButton);  // nothing under the point now
  editor->close();
}

}  // namespace
