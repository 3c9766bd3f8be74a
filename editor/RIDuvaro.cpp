#include "editor/RIDuvaro.h"

#include "CAnimKnob.h"
#include "CBitmap.h"
#include "CFrame.h"
#include "COnOffButton.h"
#include "editor/EditorResources.h"
#include "editor/PanelLayout.h"
#include "plugin/AudioEffectX.h"

namespace {

// The size of one control made from `image`: a knob is one of its 63
// sub-images, a switch one of its two.
CRect controlRect(const PanelLayout::Row& row, const CBitmap* image) {
  const int subImages =
      row.kind == PanelLayout::Kind::Knob ? PanelLayout::kKnobSubImages : PanelLayout::kSwitchSubImages;
  const int width = image != nullptr ? image->getWidth() : 0;
  const int height = image != nullptr ? image->getHeight() / subImages : 0;
  return CRect::fromOriginAndSize(row.left, row.top, width, height);
}

}  // namespace

RIDuvaro::RIDuvaro(AudioEffectX* owner) : AEffGUIEditor(owner) {
  installEditorImages();
  background = new CBitmap(PanelLayout::kBackgroundImage);
  // The rectangle follows the background; without one the panel keeps its
  // fixed size.
  const int width = background->isLoaded() ? background->getWidth() : kPanelWidth;
  const int height = background->isLoaded() ? background->getHeight() : kPanelHeight;
  rect.top = 0;
  rect.left = 0;
  rect.right = static_cast<VstInt16>(width);
  rect.bottom = static_cast<VstInt16>(height);
}

RIDuvaro::~RIDuvaro() {
  // An effect destroyed with its editor still open takes the panel down first.
  close();
  background->forget();
}

bool RIDuvaro::open(void* parentWindow) {
  // A second open without close rebuilds the panel from scratch.
  close();
  AEffGUIEditor::open(parentWindow);
  controlUpdates.discard();

  const CRect size{0, 0, rect.right, rect.bottom};
  auto* newFrame = new CFrame(size, parentWindow, frameOwner());
  newFrame->setBackground(background);

  CBitmap* knobImage = new CBitmap(PanelLayout::kKnobImage);
  for (const PanelLayout::Row& row : PanelLayout::rows) {
    CBitmap* image = row.image == PanelLayout::kKnobImage ? knobImage : new CBitmap(row.image);
    const CRect area = controlRect(row, image);
    CControl* control = nullptr;
    if (row.kind == PanelLayout::Kind::Knob) {
      auto* knob = new CAnimKnob(area, this, row.tag, PanelLayout::kKnobSubImages, area.height(), image);
      this->*row.knobField = knob;
      control = knob;
    } else {
      auto* button = new COnOffButton(area, this, row.tag, image, 0);
      this->*row.switchField = button;
      control = button;
    }
    control->setValue(effect->getParameter(row.tag));
    newFrame->addView(control);
    if (image != knobImage) image->forget();
  }
  knobImage->forget();

  frame = newFrame;
  return true;
}

void RIDuvaro::close() {
  if (frame != nullptr) {
    CFrame* closing = frame;
    frame = nullptr;
    delete closing;
  }
  for (const PanelLayout::Row& row : PanelLayout::rows) {
    if (row.knobField != nullptr) this->*row.knobField = nullptr;
    if (row.switchField != nullptr) this->*row.switchField = nullptr;
  }
}

bool RIDuvaro::setKnobMode(VstInt32) {
  knobMode.store(2, std::memory_order_relaxed);
  return true;
}

void RIDuvaro::setParameter(VstInt32 index, float) {
  // Any thread: the control shows what the effect has stored, from the next
  // time the editor's thread handles input or draws.
  if (index < 0 || index >= kParameterCount) return;
  controlUpdates.post(index, effect->getParameter(index));
}

void RIDuvaro::valueChanged(CDrawContext*, CControl* control) {
  const long tag = control->getTag();
  if (tag < 0 || tag >= kParameterCount) return;
  effect->setParameterAutomated(static_cast<VstInt32>(tag), control->getValue());
  control->setDirty();
}
