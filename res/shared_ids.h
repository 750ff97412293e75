// Identifiers shared by both programs' resources.
#pragma once

#define IDR_MAINFRAME 128
