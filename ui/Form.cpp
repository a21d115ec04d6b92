#include "ui/Form.h"

#include "classes/Published.h"

const TClassInfo& TForm::StaticClass()
{
    using T = TForm;
    static const TClassInfo info = MakeClass<T, TCustomForm>(
        "TForm", {
                     Published<T>("ActiveControl", &T::ActiveControl, &T::SetActiveControl),
                     Published<T>("ClientWidth", &T::ClientWidth, &T::SetClientWidth),
                     Published<T>("ClientHeight", &T::ClientHeight, &T::SetClientHeight),
                     Published<T>("BorderStyle", &T::BorderStyle, &T::SetBorderStyle).Default(bsSizeable),
                     Published<T>("Position", &T::Position, &T::SetPosition).Default(poDesigned),
                     Published<T>("FormStyle", &T::FormStyle, &T::SetFormStyle).Default(fsNormal),
                     Published<T>("KeyPreview", &T::KeyPreview, &T::SetKeyPreview).Default(false),
                     Published<T>("PixelsPerInch", &T::FPixelsPerInch, &T::FPixelsPerInch),
                     Published<T>("TextHeight", &T::FTextHeight, &T::FTextHeight),
                     Published<T>("OldCreateOrder", &T::FOldCreateOrder, &T::FOldCreateOrder),
                     Published<T>("Scaled", &T::FScaled, &T::FScaled).Default(true),
                     Published<T>("OnCreate", &T::FOnCreate, &T::FOnCreate),
                     Published<T>("OnDestroy", &T::FOnDestroy, &T::FOnDestroy),
                     Published<T>("OnActivate", &T::FOnActivate, &T::FOnActivate),
                     Published<T>("OnDeactivate", &T::FOnDeactivate, &T::FOnDeactivate),
                     Published<T>("OnShow", &T::FOnShow, &T::FOnShow),
                     Published<T>("OnHide", &T::FOnHide, &T::FOnHide),
                     Published<T>("OnPaint", &T::FOnPaint, &T::FOnPaint),
                     Published<T>("OnResize", &T::FOnResize, &T::FOnResize),
                     Published<T>("OnCloseQuery", &T::FOnCloseQuery, &T::FOnCloseQuery),
                     Published<T>("OnClose", &T::FOnClose, &T::FOnClose),
                 });
    return info;
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}
