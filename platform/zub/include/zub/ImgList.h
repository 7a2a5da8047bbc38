#pragma once
// A list of equally sized icons, drawn on a canvas by index.
#include "zub/Classes.h"
#include "zub/Graphics.h"
#include "zub/Layout.h"

class TImageList : public TComponent, public ILayoutTarget {
public:
    explicit TImageList(TComponent* AOwner);
    int Width() const;
    int Height() const;
    void SetWidth(int w);
    void SetHeight(int h);
    int Count() const;
    // Adds a picture as the next icon; returns its index.
    int Add(const TPicture& picture);
    // Adds the icon resource `name` of a module (TPicture::LoadFromIconResource, same errors;
    // the list unchanged on error); returns its index.
    int AddIcon(const void* module, const String& name);
    TPicture Picture(int index) const;  // EListError out of range
    void Clear();
    // Draws icon index at (x, y); an index out of range draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;

private:
    int FWidth = 16, FHeight = 16;
    std::vector<TPicture> FImages;
};
