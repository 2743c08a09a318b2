#pragma once
// CWaveViewLimits: how many statistic views the waveform-record window's statistic
// area may hold, of each kind and in all (42 in all, fewer than the kinds' maxima
// add up to), and how many it holds now. The statistic frame asks before it adds a
// view and counts views in and out.

#include <map>

enum class WaveViewRefusal {
    None,
    TooManyViews,  // the area holds the most views it may
    TooManyOfKind, // the kind holds its most views
};

class CWaveViewLimits {
public:
    static constexpr int kMaxViews = 42;

    struct Kind {
        int maximum = 0;
        int count = 0;
    };

    CWaveViewLimits() { Reset(); }

    // No views: every count 0.
    void Reset();
    WaveViewRefusal CanAdd(int kind) const;
    // A view of the kind was made; a kind outside the table gets an entry with no
    // maximum of its own.
    void Added(int kind);
    // A view's pane was closed.
    void ViewGone();
    // The pane of a view of the kind was removed: the kind's count goes down, never
    // below 0.
    void KindGone(int kind);

    int ViewCount() const { return m_views; }
    int KindCount(int kind) const;
    // The language text naming the kind's views; 0 for a kind outside the table.
    static unsigned NameText(int kind);

private:
    int m_views = 0;
    std::map<int, Kind> m_kinds;
};
