#include "classes/FormReader.h"

#include "platform/Resources.h"

// Kept apart from the reader so that code reading only texts does not need the embedded resources.
void TFormReader::ReadResource(TComponent& root, std::string_view resourceName, const TClassRegistry& classes) {
    const TResourceBytes bytes = LoadResource("RCDATA", resourceName);
    TFormReader reader(classes, std::string(resourceName));
    reader.Read(root, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
