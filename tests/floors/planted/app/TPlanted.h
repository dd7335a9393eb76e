#pragma once
// Keeps the floor rule: the top floor may include every floor below it.
#include "lang/TPlanted.h"
#include "core/TPlanted.h"
