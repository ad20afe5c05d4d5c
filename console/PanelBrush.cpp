#include "PanelBrush.h"

int CPanelBrush::s_nHolders = 0;

CPanelBrush::CPanelBrush() { ++s_nHolders; }

CPanelBrush::~CPanelBrush() { --s_nHolders; }

QColor CPanelBrush::Colour() { return s_nHolders > 0 ? QColor(0, 1, 0) : QColor(); }
