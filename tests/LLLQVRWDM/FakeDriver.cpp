// A stand-in for the card-driver library with every entry point the binding looks up;
// built once complete and once without its last entry point.
#define ENTRY(name) extern "C" __attribute__((visibility("default"))) int name() { return 0; }

extern "C" __attribute__((visibility("default"))) int GetNumCards() { return FAKE_NUM_CARDS; }
ENTRY(QueryCardInfo) ENTRY(QueryBARBase) ENTRY(WaitForIRQ) ENTRY(COSWaitForIRQ) ENTRY(WDGHandleIRQ)
ENTRY(AbortRequest) ENTRY(CloseCard) ENTRY(WDGInit) ENTRY(WDGSetTimeout) ENTRY(WDGSetResetDuration)
ENTRY(WDGPet) ENTRY(WDGReadTemp) ENTRY(WDGReadStatus) ENTRY(WDGStart) ENTRY(WDGStop) ENTRY(EmergencyReboot)
ENTRY(InPortB) ENTRY(OutPortB) ENTRY(InPort) ENTRY(OutPort) ENTRY(InPortL) ENTRY(OutPortL)
ENTRY(InPortDWord) ENTRY(OutPortDWord) ENTRY(RelInPortB) ENTRY(RelOutPortB) ENTRY(RelInPort)
ENTRY(RelOutPort) ENTRY(RelInPortL) ENTRY(RelOutPortL) ENTRY(RelInPortDWord)
#ifndef FAKE_LEAVE_OUT_LAST
ENTRY(RelOutPortDWord)
#endif
