// The real main window from its form data on a scripted card with fake ticks and answered
// message boxes.
#pragma once

#include <gtest/gtest.h>

#include "ScriptedCard.h"
#include "template/MainForm.h"
#include "vcl/Testing.h"

struct WizardFixture : ::testing::Test {
  TFakeTicks Ticks;
  vcl::testkit::TMessageBoxRecorder Boxes{vcl::mrOk};
  TScriptedCard* Card = new TScriptedCard;
  TMainForm* Form = nullptr;

  WizardFixture() {
    kelto32::SetPortBackend(std::unique_ptr<kelto32::TPortBackend>(Card));
    Form = new TMainForm(nullptr);
    vcl::Application->SetOnIdle({});
  }
  ~WizardFixture() override {
    delete Form;
    kelto32::SetPortBackend(nullptr);
    CalibStep = 0;
    CardBaseAddress = 0;
    StopReadout = false;
    vcl::testkit::ParkMouse();
  }
  // Ends every readout after its first conversion, as a press of Finish would.
  void FinishAfterFirstConversion() {
    Card->OnConversion = [this](int) { Form->FinishClick(Form->Finish); };
  }
};
