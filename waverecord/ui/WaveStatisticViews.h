#pragma once
// Registers the trend views of the waveform-record window's statistic area (voltage
// and current, power and energy, unbalance, frequency, fluctuation and flicker) with
// the pane manager, by their pane kinds.

void RegisterWaveTrendViews();
