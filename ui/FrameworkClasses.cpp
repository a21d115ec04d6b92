#include "ui/FrameworkClasses.h"

#include "classes/ClassRegistry.h"
#include "ui/Form.h"
#include "ui/Timer.h"

void RegisterFrameworkClasses(TClassRegistry& classes)
{
    classes.RegisterClass(TForm::StaticClass());
    classes.RegisterClass(TTimer::StaticClass());
}
