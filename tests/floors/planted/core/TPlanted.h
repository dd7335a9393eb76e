#pragma once
// Breaks the floor rule on purpose: core/ shows no widget.
#include <QtWidgets/QWidget>
