#pragma once

#include "afx.h"

class CVesperApp : public CWinApp {
 public:
  BOOL InitInstance() override;
  int ExitInstance() override;
};
