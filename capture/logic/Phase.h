// The phase of a capture: whether a click still picks the window under the pointer, and where the
// region stands. Changed only by its named steps, so that a region is never new and fixed at once.
#pragma once

class CapturePhase {
public:
    // Until the first left release, a click picks the window under the pointer and moves outline it.
    bool Detecting() const { return m_bDetecting; }
    // A left press starts a new region (nothing is fixed and no tool is chosen yet).
    bool NewRegion() const { return m_region == Region::New; }
    // The region is fixed: the tools draw in it and its handles resize it.
    bool FixedRegion() const { return m_region == Region::Fixed; }

    // The first left release: detection is over.
    void EndDetection() { m_bDetecting = false; }
    // What is selected now becomes the fixed region.
    void Fix() { m_region = Region::Fixed; }
    // A tool is chosen: a press no longer starts a new region.
    void ChooseTool() {
        if (m_region == Region::New) m_region = Region::None;
    }
    // The region and the marks are gone: back to the phase a capture starts in.
    void StartOver() {
        m_region = Region::New;
        m_bDetecting = true;
    }

private:
    // None: no region, and none will be dragged out (a tool was chosen first).
    enum class Region { None, New, Fixed };
    Region m_region = Region::New;
    bool m_bDetecting = true;
};
