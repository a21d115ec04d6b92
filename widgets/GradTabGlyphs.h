#pragma once

#include <functional>
#include <vector>

class TBitmap;

// What the gradient tab control needs of an image list: the number and size of its images,
// rendering one image into a bitmap, and change links that hear of every change of the
// list (Changed) and of its destruction.
class TGradTabGlyphs {
public:
    struct TChangeLink {
        std::function<void()> OnChange;
        std::function<void()> OnDestroy;
    };

    TGradTabGlyphs() = default;
    TGradTabGlyphs(const TGradTabGlyphs&) = delete;
    TGradTabGlyphs& operator=(const TGradTabGlyphs&) = delete;
    // Tells every registered link that the list is going away.
    virtual ~TGradTabGlyphs();

    virtual int ImageCount() const = 0;
    virtual int ImageWidth() const = 0;
    virtual int ImageHeight() const = 0;
    // Renders image index into bitmap (sized to the image); false for an index out of range.
    virtual bool GetBitmap(int index, TBitmap& bitmap) const = 0;

    void RegisterChanges(TChangeLink& link);
    void UnregisterChanges(TChangeLink& link);
    int LinkCount() const { return static_cast<int>(FLinks.size()); }

protected:
    // The images changed: every link hears of it.
    void Changed();

private:
    std::vector<TChangeLink*> FLinks;
};
