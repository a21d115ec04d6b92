object FuzzForm: TFuzzForm
  Caption = 'Form'#233' caption'
  object Control1: TFuzzControl
    Caption = 'one' +
      ' two'
    Short = 'short'
    Hint = 'wide '#8364' text'
    Small = -12
    Color = 16777215
    Kind = fkTwo
    Kinds = [fkOne, fkThree]
    Flag = True
    Char = 'x'
    Ref = Control2
    OnClick = Clicked
    Font.Name = 'Tahoma'
    Font.Height = -11
    Font.Style = [fsBold, fsItalic]
    Lines.Strings = (
      'first line'
      'second line')
    Wide.Strings = (
      'wide '#1081)
    Items = <
      item
        Text = 'item one'
        Ref = Control2
      end
      item
        Text = 'item two'
      end>
    Data = {
      0102030405060708090A0B0C0D0E0F10}
  end
  object Control2: TFuzzControl
    Caption = ''
    Color = $00FF00
  end
end
