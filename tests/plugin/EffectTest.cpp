// The effect object itself: derived values the amp model reads, what reaches
// the editor, host requests with and without a callback, and both build
// configurations' names.
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/AEffEditor.h"
#include "plugin/Tamzor.h"
#include "plugin/TamzorIdentity.h"

namespace tamzor::test {
namespace {

struct Request {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  std::string text;
  float opt;
};

std::vector<Request> requests;
VstIntPtr hostAnswer = 0;

VstIntPtr VSTCALLBACK recordingHost(AEffect* /*effect*/, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                    float opt) {
  requests.push_back({opcode, index, value, opcode == audioMasterCanDo && ptr ? static_cast<char*>(ptr) : "", opt});
  return hostAnswer;
}

struct EditorCall {
  std::string what;
  VstInt32 index;
  float value;
};

class RecordingEditor : public AEffEditor {
public:
  RecordingEditor(AudioEffect* owner, std::vector<EditorCall>& calls, bool* destroyed = nullptr)
      : AEffEditor(owner), calls_(calls), destroyed_(destroyed) {}
  ~RecordingEditor() override {
    if (destroyed_ != nullptr) *destroyed_ = true;
  }
  void setParameter(VstInt32 index, float value) override { calls_.push_back({"setParameter", index, value}); }
  bool onKeyDown(VstKeyCode& key) override {
    calls_.push_back({"keyDown " + std::to_string(key.character) + " " + std::to_string(key.virt) + " " +
                          std::to_string(key.modifier),
                      0, 0});
    return true;
  }
  bool setKnobMode(VstInt32 mode) override {
    calls_.push_back({"knobMode", mode, 0});
    return false;
  }

private:
  std::vector<EditorCall>& calls_;
  bool* destroyed_;
};

class EffectTest : public ::testing::Test {
protected:
  void SetUp() override {
    requests.clear();
    hostAnswer = 0;
    effect = std::make_unique<Tamzor>(recordingHost);
    delete effect->getEditor();
    effect->setEditor(new RecordingEditor(effect.get(), calls));
  }

  std::unique_ptr<Tamzor> effect;
  std::vector<EditorCall> calls;
};

TEST_F(EffectTest, DerivedValuesOfANewEffect) {
  EXPECT_EQ(effect->getChannelSelect(), 0);
  EXPECT_EQ(effect->getStereoMode(), 0);
  EXPECT_EQ(effect->getHighQuality(), 0);
  EXPECT_EQ(effect->getBoostOn(), 0);
  EXPECT_NEAR(effect->getDriveCurve(), 0.29855, 1e-15);
  EXPECT_EQ(effect->getSampleRate(), 44100.0f);
  EXPECT_EQ(effect->getBlockSize(), 1024);
  EXPECT_TRUE(requests.empty()) << "construction sends nothing";
}

TEST_F(EffectTest, DriveCurveFollowsDriveAndItsRecall) {
  EXPECT_EQ(Tamzor::driveCurveOf(0.0f), 0.089125);
  EXPECT_NEAR(Tamzor::driveCurveOf(1.0f), 1.000025, 1e-15);
  effect->setParameter(kDrive, 0.8f);
  EXPECT_EQ(effect->getDriveCurve(), Tamzor::driveCurveOf(0.8f));
  effect->setParameter(kChannel, 1.0f);
  EXPECT_EQ(effect->getChannelSelect(), 1);
  EXPECT_EQ(effect->getDriveCurve(), Tamzor::driveCurveOf(0.5f));
  effect->setParameter(kChannel, 0.0f);
  EXPECT_EQ(effect->getDriveCurve(), Tamzor::driveCurveOf(0.8f));
}

TEST_F(EffectTest, SwitchesTurnOnAtHalf) {
  struct Case {
    VstInt32 index;
    VstInt32 (Tamzor::*state)() const;
  };
  for (const Case& c : {Case{kMonoStereo, &Tamzor::getStereoMode}, Case{kLowHighQ, &Tamzor::getHighQuality},
                        Case{kMcjBoost, &Tamzor::getBoostOn}, Case{kChannel, &Tamzor::getChannelSelect}}) {
    effect->setParameter(c.index, 0.4999f);
    EXPECT_EQ((effect.get()->*c.state)(), 0) << c.index;
    effect->setParameter(c.index, 0.5f);
    EXPECT_EQ((effect.get()->*c.state)(), 1) << c.index;
    effect->setParameter(c.index, 7.0f);
    EXPECT_EQ((effect.get()->*c.state)(), 1) << c.index;
    effect->setParameter(c.index, -1.0f);
    EXPECT_EQ((effect.get()->*c.state)(), 0) << c.index;
  }
}

TEST_F(EffectTest, ChannelChangeUpdatesTheEditorNineTimesInOrder) {
  effect->setParameter(kChannel, 1.0f);
  const VstInt32 order[9] = {kInput, kDrive, kLow, kMid, kHigh, kContour, kVolume, kPowerAmp, kChannel};
  ASSERT_EQ(calls.size(), 9u);
  for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(calls[i].index, order[i]) << i;
  EXPECT_EQ(calls[8].value, 1.0f);
  EXPECT_TRUE(requests.empty()) << "the recall is not announced to the host";
}

TEST_F(EffectTest, EditorHearsEveryIndexButNotValuesThatAreNotFinite) {
  effect->setParameter(13, 0.2f);
  effect->setParameter(kMixPls, std::numeric_limits<float>::quiet_NaN());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].index, 13);
  EXPECT_EQ(calls[0].value, 0.2f);
}

TEST_F(EffectTest, ProgramSelectionAppliesFiveParametersAndTheRecall) {
  effect->setProgram(3);
  const VstInt32 order[13] = {kInput, kDrive, kLow, kMid, kHigh, kContour, kVolume, kPowerAmp, kChannel,
                              kMixPls, kMonoStereo, kLowHighQ, kMcjBoost};
  ASSERT_EQ(calls.size(), 13u);
  for (std::size_t i = 0; i < 13; ++i) EXPECT_EQ(calls[i].index, order[i]) << i;
  EXPECT_TRUE(requests.empty());
}

TEST_F(EffectTest, AutomationAppliesThenTellsTheHost) {
  effect->setParameterAutomated(kDrive, 0.25f);
  EXPECT_EQ(effect->getParameter(kDrive), 0.25f);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].opcode, audioMasterAutomate);
  EXPECT_EQ(requests[0].index, kDrive);
  EXPECT_EQ(requests[0].opt, 0.25f);
  effect->setParameterAutomated(kDrive, std::numeric_limits<float>::infinity());
  EXPECT_EQ(requests.size(), 1u);
  EXPECT_EQ(effect->getParameter(kDrive), 0.25f);
}

TEST_F(EffectTest, HostRequestsAndTheirAnswers) {
  hostAnswer = 1;
  EXPECT_TRUE(effect->beginEdit(4));
  EXPECT_TRUE(effect->endEdit(4));
  char sizeWindow[] = "sizeWindow";
  EXPECT_TRUE(effect->canHostDo(sizeWindow));
  EXPECT_TRUE(effect->sizeWindow(660, 248));
  effect->masterIdle();
  EXPECT_EQ(effect->getMasterVersion(), 1);
  ASSERT_EQ(requests.size(), 6u);
  EXPECT_EQ(requests[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(requests[0].index, 4);
  EXPECT_EQ(requests[1].opcode, audioMasterEndEdit);
  EXPECT_EQ(requests[2].opcode, audioMasterCanDo);
  EXPECT_EQ(requests[2].text, "sizeWindow");
  EXPECT_EQ(requests[3].opcode, audioMasterSizeWindow);
  EXPECT_EQ(requests[3].index, 660);
  EXPECT_EQ(requests[3].value, 248);
  EXPECT_EQ(requests[4].opcode, audioMasterIdle);
  EXPECT_EQ(requests[5].opcode, audioMasterVersion);

  hostAnswer = 0;
  EXPECT_FALSE(effect->beginEdit(4));
  EXPECT_FALSE(effect->canHostDo(sizeWindow));
  EXPECT_EQ(effect->getMasterVersion(), 1);
  hostAnswer = 2400;
  EXPECT_EQ(effect->getMasterVersion(), 2400);
}

TEST(EffectWithoutHost, RequestsAnswerTheirDefaults) {
  Tamzor effect(nullptr);
  char text[] = "sizeWindow";
  EXPECT_FALSE(effect.beginEdit(0));
  EXPECT_FALSE(effect.endEdit(0));
  EXPECT_FALSE(effect.canHostDo(text));
  EXPECT_FALSE(effect.sizeWindow(10, 10));
  EXPECT_EQ(effect.getMasterVersion(), 1);
  effect.masterIdle();
  effect.setParameterAutomated(kVolume, 0.1f);
  EXPECT_EQ(effect.getParameter(kVolume), 0.1f);
}

TEST_F(EffectTest, KeyCodesAreBuiltFromTheDispatcherArguments) {
  AEffect* record = effect->getAeffect();
  EXPECT_EQ(record->dispatcher(record, effEditKeyDown, 65, 0x1234, nullptr, 300.7f), 1);
  EXPECT_EQ(record->dispatcher(record, effEditKeyDown, 66, 7, nullptr, std::nanf("")), 1);
  EXPECT_EQ(record->dispatcher(record, effSetEditKnobMode, 0, 2, nullptr, 0.0f), 0);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].what, "keyDown 65 52 44");
  EXPECT_EQ(calls[1].what, "keyDown 66 7 0");
  EXPECT_EQ(calls[2].index, 2);
}

TEST_F(EffectTest, SampleRatesOutsideTheUsableRangeAreIgnored) {
  for (float rate : {0.0f, -48000.0f, std::nanf(""), std::numeric_limits<float>::infinity(), 2e7f}) {
    effect->setSampleRate(rate);
    EXPECT_EQ(effect->getSampleRate(), 44100.0f) << rate;
  }
  effect->setSampleRate(96000.0f);
  EXPECT_EQ(effect->getSampleRate(), 96000.0f);
}

TEST(EffectLifetime, CloseThroughTheRecordDeletesEffectAndEditor) {
  bool editorDestroyed = false;
  std::vector<EditorCall> calls;
  auto* effect = new Tamzor(recordingHost);
  delete effect->getEditor();
  effect->setEditor(new RecordingEditor(effect, calls, &editorDestroyed));
  EXPECT_EQ(effect->getAeffect()->flags, 0x31);
  AEffect* record = effect->getAeffect();
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_TRUE(editorDestroyed);
}

TEST(Identity, NameOfEachConfiguration) {
  EXPECT_STREQ(effectNameFor(true), "Dravik_Tamzor_Head_v1_1_SSE");
  EXPECT_STREQ(effectNameFor(false), "Dravik_Tamzor_Head_v1_1");
  EXPECT_STREQ(kEffectName, effectNameFor(TAMZOR_SSE2 != 0));
  EXPECT_EQ(kUniqueId, fourCharCode('Q', 'T', 'M', 'Z'));
}

}  // namespace
}  // namespace tamzor::test
