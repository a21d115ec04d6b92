#include "ui/StandardControls.h"

#include "classes/ClassRegistry.h"
#include "ui/Edit.h"
#include "ui/GroupBox.h"
#include "ui/Image.h"
#include "ui/ImageList.h"
#include "ui/Label.h"
#include "ui/ScrollBox.h"
#include "ui/Shape.h"
#include "ui/SpeedButton.h"

void RegisterStandardControls(TClassRegistry& classes)
{
    classes.RegisterClass(TLabel::StaticClass());
    classes.RegisterClass(TImage::StaticClass());
    classes.RegisterClass(TShape::StaticClass());
    classes.RegisterClass(TGroupBox::StaticClass());
    classes.RegisterClass(TScrollBox::StaticClass());
    classes.RegisterClass(TImageList::StaticClass());
    classes.RegisterClass(TEdit::StaticClass());
    classes.RegisterClass(TSpeedButton::StaticClass());
}
