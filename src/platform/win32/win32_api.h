// The one way the Windows code reaches the system headers. Several Platform
// methods share their names with the headers' A/W switch macros, which would
// otherwise rename them in this code only.
#pragma once

#ifndef UNICODE
#error "the Windows code is built with UNICODE; every system call is a ...W call"
#endif

#include <windows.h>
// windows.h comes first: these need its types.
#include <mmsystem.h>
#include <shellapi.h>
#include <windowsx.h>

#undef CreateWindow
#undef SetCurrentDirectory
#undef DrawText
