#pragma once

#include "runtime/clean.h"
