extern "C" int VarnockTestNowhereDefined();

extern "C" int VarnockTestCallsNowhere() { return VarnockTestNowhereDefined(); }
