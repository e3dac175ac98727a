#include "engine/CodeWhere.h"

constinit thread_local bool CodeWhereOn = false;
constinit thread_local CodeWhere CodeHere;
