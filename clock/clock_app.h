#pragma once

#include "afx.h"

class CClockApp : public CWinApp {
 public:
  BOOL InitInstance() override;
};
