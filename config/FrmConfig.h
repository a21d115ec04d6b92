#pragma once

#include "ui/Form.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

class T_QsvImgFree;
class TFlatButton;
class TFlatRadioButton;
class TGradPageControl;
class TGroupBox;
class TImage;
class TLabel;
class TLabel3D;
class TLanguageController;
class TScrollBox;
class TShape;
class TSpinEdit;
class TTabSheet;
class TTransShape;

// The configuration dialog: the settings being edited (time per poster, how posters are
// fitted, the dialog's language), ten thumbnails of which one can be applied as the
// desktop wallpaper, and an about page. "&Ok" saves the settings and closes, "&Cancel" and
// the close box close without saving; as the main form, closing it ends the program.
//
// The layout comes from the form definition TFRMCONFIG; the pictures (banner, language
// icons, application icon) are filled in from the program's resources when it is built.
class TfrmConfig : public TForm {
public:
    VELTRANE_CLASS_INFO

    explicit TfrmConfig(TComponent* owner);
    ~TfrmConfig() override;

    // --- handlers bound by the form definition ---------------------------------------
    void FormCreate(TObject* sender);
    void FormDestroy(TObject* sender);
    void prSelectImage(TObject* sender);
    void btnSetWallpaperClick(TObject* sender);
    void radEnlishClick(TObject* sender);
    void radSpanishClick(TObject* sender);
    void btnAceptClick(TObject* sender);
    void btnCancelClick(TObject* sender);
    void lblWebLinkClick(TObject* sender);
    void prButtonsPainting(TObject* sender, bool& cont);
    void btnSetWallpaperPaint(TObject* sender, bool& cont);

    // --- operations ---------------------------------------------------------------------
    void LoadThumbnails();
    // Reads the bitmap resource name into image.
    void LoadThumbnail(std::string_view name, TImage* image);
    // Puts the bitmap file bytes into image. Bytes that are no bitmap raise the decoder's
    // error and leave the image as it was.
    static void LoadThumbnailFrom(std::span<const std::uint8_t> bitmapFile, TImage* image);
    // Puts the engine's settings into the controls.
    void ShowSettings();

    // The Tag (1 to 10) of the last thumbnail clicked; 0 until one is clicked.
    std::int32_t SelectedImage = 0;
    // The dialog's own engine, carrying the settings being edited. Null only when its
    // creation failed; the handlers that need it then try again (and report the error).
    std::unique_ptr<T_QsvImgFree> Engine;

    // --- components -------------------------------------------------------------------
    TImage* imgTop = nullptr;
    TGradPageControl* pgcOp = nullptr;
    TTabSheet* tabImg = nullptr;
    TLabel* lblInfo = nullptr;
    TScrollBox* sclImgs = nullptr;
    TImage* img01 = nullptr;
    TImage* img02 = nullptr;
    TImage* img03 = nullptr;
    TImage* img04 = nullptr;
    TImage* img05 = nullptr;
    TImage* img06 = nullptr;
    TImage* img07 = nullptr;
    TImage* img08 = nullptr;
    TImage* img09 = nullptr;
    TImage* img10 = nullptr;
    TTransShape* shpSel = nullptr;
    TFlatButton* btnSetWallpaper = nullptr;
    TTabSheet* tabConfig = nullptr;
    TGroupBox* gbxLang = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image3 = nullptr;
    TFlatRadioButton* radEnlish = nullptr;
    TFlatRadioButton* radSpanish = nullptr;
    TGroupBox* gbxOp = nullptr;
    TFlatRadioButton* radOpOriginal = nullptr;
    TFlatRadioButton* radOpScale = nullptr;
    TFlatRadioButton* radOpFit = nullptr;
    TGroupBox* gbxTimeOption = nullptr;
    TSpinEdit* txtImgWait = nullptr;
    TLabel* Label7 = nullptr;
    TTabSheet* tabAbout = nullptr;
    TGroupBox* gbxAbout = nullptr;
    TShape* Shape2 = nullptr;
    TShape* Shape1 = nullptr;
    TImage* Image1 = nullptr;
    TLabel3D* Label3D1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* lblWebLink = nullptr;
    TFlatButton* btnCancel = nullptr;
    TFlatButton* btnAcept = nullptr;
    TLanguageController* lngConfig = nullptr;

    // The address lblWebLinkClick opens.
    static std::string HomePage();

private:
    T_QsvImgFree& RequireEngine();
    void SetInfo(std::string_view constantName);
    void LoadPictures();
};
