#pragma once

#include <functional>
#include <string>
#include <vector>

class TApplication;
class TControl;
class TForm;
class TMemoryDisplay;

// Renders every widget of the dialog in its main states onto forms of an in-memory display
// and writes each picture as a PNG file, plus an index.html showing them all, so that a person
// can look at them. Forms are built from small form definitions, so the widgets are set up
// exactly as the dialog's definition sets them up.
class TWidgetGallery {
public:
    // What a state may do to a shown form before its picture is taken.
    struct TContext {
        TApplication& App;
        TMemoryDisplay& Display;
        TForm& Form;
        // The named component of the form (EComponentError when there is none).
        TControl& Control(const std::string& name) const;
        // Pointer actions at client coordinates of a control.
        void MoveTo(const std::string& name, int x, int y) const;
        void Press() const;
        void Release() const;
        void Settle() const;
    };
    using TAction = std::function<void(TContext&)>;
    struct TState {
        std::string Name;
        TAction Apply;   // may be empty: the form as loaded
        TAction Undo;    // may be empty
    };
    struct TScene {
        std::string Name;
        int Width = 0;
        int Height = 0;
        std::string Definition;  // the components, as lines inside "object Form1: TForm ... end"
        std::vector<TState> States;
        TAction Prepare = {};    // may be empty: runs after the definition is read, before showing
    };

    TWidgetGallery();

    const std::vector<TScene>& Scenes() const { return FScenes; }
    // Writes "<scene>-<state>.png" for every state into folder (which must exist) and
    // index.html; answers the files written, the index last.
    std::vector<std::string> Run(const std::string& folder) const;

private:
    void AddScenes();
    std::vector<TScene> FScenes;
};
