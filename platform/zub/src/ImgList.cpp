#include "zub/ImgList.h"

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

int TImageList::Width() const { return Get(FWidth); }

int TImageList::Height() const { return Get(FHeight); }

void TImageList::SetWidth(int w)
{
    std::lock_guard g(Lock());
    FWidth = w;
}

void TImageList::SetHeight(int h)
{
    std::lock_guard g(Lock());
    FHeight = h;
}

int TImageList::Count() const
{
    std::lock_guard g(Lock());
    return static_cast<int>(FImages.size());
}

int TImageList::Add(const TPicture& picture)
{
    std::lock_guard g(Lock());
    FImages.push_back(picture);
    return static_cast<int>(FImages.size()) - 1;
}

int TImageList::AddIcon(const void* module, const String& name)
{
    TPicture icon;
    icon.LoadFromIconResource(module, name);
    return Add(icon);
}

TPicture TImageList::Picture(int index) const
{
    std::lock_guard g(Lock());
    if (index < 0 || index >= static_cast<int>(FImages.size()))
        throw EListError("Image index out of bounds (" + IntToStr(index) + ")");
    return FImages[static_cast<std::size_t>(index)];
}

void TImageList::Clear()
{
    std::lock_guard g(Lock());
    FImages.clear();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count()) return;
    canvas.DrawImage(x, y, *this, index, enabled);
}

bool TImageList::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "Width"))
        SetWidth(v.AsInt());
    else if (SameText(name, "Height"))
        SetHeight(v.AsInt());
    else if (SameText(name, "Tag"))
        SetTag(v.AsInt());
    // Icons come from picture files at run time; designer positions and stored bitmaps are not
    // the model's business.
    else if (SameText(name, "Left") || SameText(name, "Top") || SameText(name, "Bitmap") ||
             SameText(name, "DrawingStyle") || SameText(name, "ImageType") || SameText(name, "Masked"))
        return true;
    else
        return false;
    return true;
}
