#pragma once

namespace mirte {

// What a print run tells while it prints, and how it learns that the user cancelled: the
// window's progress dialog ("印刷の準備中" with its "キャンセル"), or the command line's
// page counter. A run calls Start before the job begins, PagePrinted after each page it
// printed, CancelRequested between pages, and Finish on every way out.
class TPrintProgress {
public:
    virtual ~TPrintProgress() = default;
    virtual void Start() = 0;
    // The page-th of the pageTotal pages the run prints (not the pages' own numbers);
    // `percent` is page × 100 div pageTotal.
    virtual void PagePrinted(int page, int pageTotal, int percent) = 0;
    virtual bool CancelRequested() = 0;
    virtual void Finish() = 0;
};

// Shows nothing and never cancels.
class TSilentProgress : public TPrintProgress {
public:
    void Start() override {}
    void PagePrinted(int, int, int) override {}
    bool CancelRequested() override { return false; }
    void Finish() override {}
};

} // namespace mirte
