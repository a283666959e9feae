#pragma once

#include "dialogue/clean.h"
