// The plug-in's editor: the 660 x 248 panel with nine film-strip knobs and
// four switches, one control per parameter, kept in step with the effect in
// both directions.
#pragma once

#include "CControlListener.h"
#include "editor/AEffGUIEditor.h"

class AudioEffectX;
class CAnimKnob;
class CBitmap;
class COnOffButton;

class RIDuvaro : public AEffGUIEditor, public CControlListener {
 public:
  explicit RIDuvaro(AudioEffectX* effect);
  ~RIDuvaro() override;

  bool open(void* parentWindow) override;
  void close() override;
  bool setKnobMode(VstInt32 mode) override;
  void setParameter(VstInt32 index, float value) override;
  void valueChanged(CDrawContext* context, CControl* control) override;

  static constexpr int kPanelWidth = 660;
  static constexpr int kPanelHeight = 248;
  static constexpr VstInt32 kParameterCount = 13;

 private:
  friend struct PanelLayout;

  CAnimKnob* inputKnob = nullptr;
  CAnimKnob* driveKnob = nullptr;
  CAnimKnob* lowKnob = nullptr;
  CAnimKnob* midKnob = nullptr;
  CAnimKnob* highKnob = nullptr;
  CAnimKnob* contourKnob = nullptr;
  CAnimKnob* volumeKnob = nullptr;
  CAnimKnob* powerAmpKnob = nullptr;
  CAnimKnob* mixKnob = nullptr;
  COnOffButton* stereoSwitch = nullptr;
  COnOffButton* qualitySwitch = nullptr;
  COnOffButton* boostSwitch = nullptr;
  COnOffButton* channelSwitch = nullptr;
  CBitmap* background = nullptr;
};
