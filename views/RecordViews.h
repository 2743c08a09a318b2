#pragma once
// The statistic record frames' entries in the shell's pane table: one factory per
// view id (40006 voltage and current, 40007 power and energy, 40008 fluctuation
// and flicker, 40009 frequency, 40010 unbalance, 40011 harmonic trend). Called
// once at start-up, before the main frame is made.

void RegisterRecordViews();
