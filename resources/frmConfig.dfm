object frmConfig: TfrmConfig
  BorderStyle = bsDialog
  Caption = 'Veltrane'
  ClientHeight = 354
  ClientWidth = 450
  Color = 9981440
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clBlack
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  Position = poScreenCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object imgTop: TImage
    Left = 0
    Top = 0
    Width = 450
    Height = 153
    Picture.ResourceName = 'BANNER'
  end
  object pgcOp: TGradPageControl
    Left = 0
    Top = 137
    Width = 450
    Height = 185
    ActivePage = tabImg
    TabOrder = 0
    TabStop = False
    TabStyle.BackgrColor = 7228928
    TabStyle.Borders = []
    TabStyle.Font.Charset = DEFAULT_CHARSET
    TabStyle.Font.Color = clBtnHighlight
    TabStyle.Font.Height = -11
    TabStyle.Font.Name = 'Arial'
    TabStyle.Font.Style = []
    TabStyle.CaptionHAlign = fhaCenter
    TabStyle.Gradient.FromColor = clGray
    TabStyle.Gradient.ToColor = clBlack
    TabStyle.Gradient.Active = True
    TabStyle.Gradient.Orientation = fgdHorizontal
    TabSelectedStyle.Font.Charset = DEFAULT_CHARSET
    TabSelectedStyle.Font.Color = clWhite
    TabSelectedStyle.Font.Height = -11
    TabSelectedStyle.Font.Name = 'Arial'
    TabSelectedStyle.Font.Style = [fsBold]
    TabSelectedStyle.TextStyle = fstShadow
    TabSelectedStyle.CaptionHAlign = fhaCenter
    TabSelectedStyle.Gradient.FromColor = 9981440
    TabSelectedStyle.Gradient.ToColor = clWhite
    TabSelectedStyle.Gradient.Active = True
    TabSelectedStyle.Gradient.Orientation = fgdHorizontal
    TabsPosition = fsdBottom
    Options = [ftoAutoFontDirection, ftoExcludeGlyphs]
    object tabImg: TTabSheet
      Caption = 'Images'
      object lblInfo: TLabel
        Left = 3
        Top = 127
        Width = 239
        Height = 26
        AutoSize = False
        Layout = tlCenter
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWhite
        Font.Height = -11
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
        Caption = ''
      end
      object sclImgs: TScrollBox
        Left = 3
        Top = 0
        Width = 436
        Height = 121
        TabOrder = 0
        object img01: TImage
          Tag = 1
          Left = 5
          Top = 7
          Width = 105
          Height = 85
          OnClick = prSelectImage
        end
        object img02: TImage
          Tag = 2
          Left = 116
          Top = 7
          Width = 105
          Height = 85
          OnClick = prSelectImage
        end
        object img03: TImage
          Tag = 3
          Left = 227
          Top = 7
          Width = 105
          Height = 85
          OnClick = prSelectImage
        end
        object img04: TImage
          Tag = 4
          Left = 338
          Top = 7
          Width = 105
          Height = 85
          OnClick = prSelectImage
        end
        object img05: TImage
          Tag = 5
          Left = 449
          Top = 7
          Width = 105
          Height = 85
          OnClick = prSelectImage
        end
        object img06: TImage
          Tag = 6
          Left = 560
          Top = 7
          Width = 105
          Height = 85
          OnClick = prSelectImage
        end
        object img07: TImage
          Tag = 7
          Left = 671
          Top = 7
          Width = 105
          Height = 85
          OnClick = prSelectImage
        end
        object img08: TImage
          Tag = 8
          Left = 782
          Top = 5
          Width = 105
          Height = 85
          OnClick = prSelectImage
        end
        object img09: TImage
          Tag = 9
          Left = 893
          Top = 5
          Width = 105
          Height = 85
          OnClick = prSelectImage
        end
        object img10: TImage
          Tag = 10
          Left = 1004
          Top = 5
          Width = 105
          Height = 85
          OnClick = prSelectImage
        end
        object shpSel: TTransShape
          Left = 5
          Top = 7
          Width = 105
          Height = 85
          Visible = False
          Pen.Width = 7
          Shape = stRectangle
        end
      end
      object btnSetWallpaper: TFlatButton
        Left = 248
        Top = 129
        Width = 191
        Height = 25
        Caption = '&Set the image as Wallpaper'
        Enabled = False
        TabOrder = 1
        OnClick = btnSetWallpaperClick
        OnPaint = btnSetWallpaperPaint
      end
    end
    object tabConfig: TTabSheet
      Caption = 'Configuration'
      ImageIndex = 1
      object gbxLang: TGroupBox
        Left = 3
        Top = 3
        Width = 166
        Height = 142
        Caption = ' Language '
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWhite
        Font.Height = -11
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
        TabOrder = 0
        object Image2: TImage
          Left = 24
          Top = 29
          Width = 41
          Height = 36
          Picture.ResourceName = 'FLAG_EN'
        end
        object Image3: TImage
          Left = 24
          Top = 88
          Width = 41
          Height = 33
          Picture.ResourceName = 'FLAG_ES'
        end
        object radEnlish: TFlatRadioButton
          Left = 71
          Top = 32
          Width = 58
          Height = 17
          MarkColor = 9981440
          Checked = True
          AutoSize = True
          Caption = 'English'
          TabOrder = 0
          OnClick = radEnlishClick
        end
        object radSpanish: TFlatRadioButton
          Left = 71
          Top = 96
          Width = 62
          Height = 17
          MarkColor = 9981440
          AutoSize = True
          Caption = 'Espa'#241'ol'
          TabOrder = 1
          OnClick = radSpanishClick
        end
      end
      object gbxOp: TGroupBox
        Left = 175
        Top = 3
        Width = 264
        Height = 94
        Caption = ' Display Options '
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWhite
        Font.Height = -11
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
        TabOrder = 1
        object radOpOriginal: TFlatRadioButton
          Left = 19
          Top = 25
          Width = 166
          Height = 17
          MarkColor = 9981440
          AutoSize = True
          Caption = 'View image in original size'
          TabOrder = 0
        end
        object radOpScale: TFlatRadioButton
          Left = 19
          Top = 48
          Width = 170
          Height = 17
          MarkColor = 9981440
          Checked = True
          AutoSize = True
          Caption = 'Scale image proportionally'
          TabOrder = 1
        end
        object radOpFit: TFlatRadioButton
          Left = 19
          Top = 71
          Width = 152
          Height = 17
          MarkColor = 9981440
          AutoSize = True
          Caption = 'Fit image to screen size'
          TabOrder = 2
        end
      end
      object gbxTimeOption: TGroupBox
        Left = 175
        Top = 97
        Width = 264
        Height = 48
        Caption = ' Time Options (in seconds) '
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWhite
        Font.Height = -11
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
        TabOrder = 2
        object txtImgWait: TSpinEdit
          Left = 19
          Top = 20
          Width = 46
          Height = 22
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 9981440
          Font.Height = -11
          Font.Name = 'Tahoma'
          Font.Style = [fsBold]
          ParentFont = False
          MaxLength = 3
          MaxValue = 999
          MinValue = 10
          TabOrder = 0
          Value = 10
        end
        object Label7: TLabel
          Left = 71
          Top = 24
          Width = 109
          Height = 13
          Caption = 'Image display time'
        end
      end
    end
    object tabAbout: TTabSheet
      Caption = 'About...'
      ImageIndex = 2
      object gbxAbout: TGroupBox
        Left = 3
        Top = 0
        Width = 436
        Height = 145
        Caption = ' About '
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWhite
        Font.Height = -11
        Font.Name = 'Tahoma'
        Font.Style = [fsBold]
        ParentFont = False
        TabOrder = 0
        object Shape2: TShape
          Left = 11
          Top = 16
          Width = 422
          Height = 41
          Brush.Color = 8404992
          Pen.Style = psClear
        end
        object Shape1: TShape
          Left = 11
          Top = 24
          Width = 38
          Height = 121
          Brush.Color = 8404992
          Pen.Style = psClear
        end
        object Image1: TImage
          Left = 11
          Top = 23
          Width = 38
          Height = 34
        end
        object Label3D1: TLabel3D
          Left = 156
          Top = 27
          Width = 133
          Height = 22
          Alignment = taCenter
          Caption = 'Veltrane'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 4103935
          Font.Height = -19
          Font.Name = 'Arial'
          Font.Style = [fsBold]
          ParentFont = False
          Transparent = True
          TextStyle = tsRaised
          Shift = 1
        end
        object Label1: TLabel
          Left = 359
          Top = 32
          Width = 62
          Height = 13
          Transparent = True
          Caption = 'Version 1.0'
        end
        object Label2: TLabel
          Left = 55
          Top = 63
          Width = 72
          Height = 13
          Caption = 'Designed by:'
        end
        object Label3: TLabel
          Left = 55
          Top = 82
          Width = 114
          Height = 13
          Caption = 'Photograph and Art:'
        end
        object Label4: TLabel
          Left = 190
          Top = 63
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clYellow
          Font.Height = -11
          Font.Name = 'Tahoma'
          Font.Style = [fsBold]
          ParentFont = False
          Caption = 'The Veltrane developers'
        end
        object Label5: TLabel
          Left = 190
          Top = 82
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clYellow
          Font.Height = -11
          Font.Name = 'Tahoma'
          Font.Style = [fsBold]
          ParentFont = False
          Caption = 'Aitzol Berasategi and friends'
        end
        object Label6: TLabel
          Left = 190
          Top = 101
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clYellow
          Font.Height = -11
          Font.Name = 'Tahoma'
          Font.Style = [fsBold]
          ParentFont = False
          Caption = 'Lomiri wallpaper authors'
        end
        object lblWebLink: TLabel
          Left = 55
          Top = 129
          Width = 151
          Height = 13
          Cursor = crHandPoint
          Font.Charset = DEFAULT_CHARSET
          Font.Color = 13434879
          Font.Height = -11
          Font.Name = 'Tahoma'
          Font.Style = [fsBold, fsUnderline]
          ParentFont = False
          Transparent = True
          OnClick = lblWebLinkClick
          Caption = 'www.veltrane.org'
        end
      end
    end
  end
  object btnCancel: TFlatButton
    Left = 375
    Top = 328
    Width = 75
    Height = 25
    Caption = '&Cancel'
    Cancel = True
    Color = 7946240
    TabOrder = 1
    OnClick = btnCancelClick
    OnPaint = prButtonsPainting
  end
  object btnAcept: TFlatButton
    Left = 294
    Top = 328
    Width = 75
    Height = 25
    Caption = '&Ok'
    Color = 13987840
    TabOrder = 2
    OnClick = btnAceptClick
    OnPaint = prButtonsPainting
  end
  object lngConfig: TLanguageController
    LangData = {
      090066726D436F6E666967010100000001000000070043617074696F6E012D00
      00000600696D67546F70000005007067634F7000000600746162496D67010100
      000002000000070043617074696F6E0007006C626C496E666F0000070073636C
      496D677300000500696D67303100000500696D67303200000500696D67303300
      000500696D67303400000500696D67303500000500696D67303600000500696D
      6730370000060073687053656C00000F0062746E53657457616C6C7061706572
      010100000004000000070043617074696F6E000900746162436F6E6669670101
      00000005000000070043617074696F6E00080074616241626F75740101000000
      06000000070043617074696F6E00090062746E43616E63656C01010000000700
      0000070043617074696F6E00080062746E416365707401010000000800000007
      0043617074696F6E00080067627841626F757401010000000900000007004361
      7074696F6E000600496D61676531000006005368617065310000060053686170
      6532000008004C6162656C33443101010000000A000000070043617074696F6E
      0006004C6162656C3101010000000B000000070043617074696F6E0006004C61
      62656C3201010000000C000000070043617074696F6E0006004C6162656C3301
      010000000D000000070043617074696F6E0006004C6162656C3401010000000E
      000000070043617074696F6E0006004C6162656C3501010000000F0000000700
      43617074696F6E0006004C6162656C3601010000001000000007004361707469
      6F6E000A006C626C5765624C696E6B010100000011000000070043617074696F
      6E0007006762784C616E67010100000012000000070043617074696F6E000500
      6762784F70010100000013000000070043617074696F6E000600496D61676532
      00000600496D6167653300000900726164456E6C697368010100000014000000
      070043617074696F6E000A007261645370616E69736801010000001500000007
      0043617074696F6E000D007261644F704F726967696E616C0101000000160000
      00070043617074696F6E000A007261644F705363616C65010100000017000000
      070043617074696F6E0008007261644F70466974010100000018000000070043
      617074696F6E000D0067627854696D654F7074696F6E01010000001900000007
      0043617074696F6E000A00747874496D6757616974000006004C6162656C3701
      010000001A000000070043617074696F6E000500696D67303800000500696D67
      303900000500696D6731300000}
  end
end
