#include "widgets/GradTabGlyphs.h"

#include <algorithm>

TGradTabGlyphs::~TGradTabGlyphs() {
    const std::vector<TChangeLink*> links = FLinks;
    FLinks.clear();
    for (TChangeLink* link : links)
        if (link->OnDestroy) link->OnDestroy();
}

void TGradTabGlyphs::RegisterChanges(TChangeLink& link) {
    if (std::find(FLinks.begin(), FLinks.end(), &link) == FLinks.end()) FLinks.push_back(&link);
}

void TGradTabGlyphs::UnregisterChanges(TChangeLink& link) { std::erase(FLinks, &link); }

void TGradTabGlyphs::Changed() {
    const std::vector<TChangeLink*> links = FLinks;
    for (TChangeLink* link : links)
        if (link->OnChange) link->OnChange();
}
