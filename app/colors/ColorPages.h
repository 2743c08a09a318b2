#pragma once
// The six pages of the colour-scheme sheet, one per page kind of "color.cfg". Each is
// a CXTPPropertyPageEx with its template, section, buttons (key, button id, marker
// id), default buttons and group titles; the sheet shows them in the order
// frequency, unbalance, voltage and current, fluctuation and flicker, power and
// energy, harmonics.

#include "app/colors/XTPPropertyPageEx.h"

namespace ui {
class PropertySheet;
}

// "Freq": maximum, minimum, average and CP95 of the frequency trend.
class CFreqColorPage : public CXTPPropertyPageEx {
public:
    static constexpr unsigned kTemplateId = 156;
    CFreqColorPage();
};

// "Unbalance": the same four statistics of the unbalance trend.
class CUnbalClrPage : public CXTPPropertyPageEx {
public:
    static constexpr unsigned kTemplateId = 114;
    CUnbalClrPage();
};

// "V&C": the four statistics of phases A, B, C and N.
class CVCClrPage : public CXTPPropertyPageEx {
public:
    static constexpr unsigned kTemplateId = 115;
    CVCClrPage();
};

// "Fluct&Flicker": the four statistics of phases A, B and C.
class CFluctColorNewPage : public CXTPPropertyPageEx {
public:
    static constexpr unsigned kTemplateId = 129;
    CFluctColorNewPage();
};

// "Power&Energy": the four statistics (power) and the RMS value (energy) of phases
// A, B, C and all phases.
class CPEClrPage : public CXTPPropertyPageEx {
public:
    static constexpr unsigned kTemplateId = 113;
    CPEClrPage();
};

// "Harmonic": the histogram's statistics, the KF curve and the six curves of the
// harmonic trend view's drop-down lists.
class CHarmColorPage : public CXTPPropertyPageEx {
public:
    static constexpr unsigned kTemplateId = 117;
    CHarmColorPage();
};

// The six pages, added to a sheet in the sheet's order. They must outlive its run.
struct CColorPageSet {
    void AddTo(ui::PropertySheet& sheet);

    CFreqColorPage frequency;
    CUnbalClrPage unbalance;
    CVCClrPage voltageCurrent;
    CFluctColorNewPage fluctuation;
    CPEClrPage powerEnergy;
    CHarmColorPage harmonic;
};
