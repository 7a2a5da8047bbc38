#pragma once
// Layout of the draw-entry dialog.

inline constexpr const char* Unit5_zfm = R"zfm(object Form5: TForm5
  BorderStyle = bsNone
  Caption = 'Lottozahlen eingeben'
  ClientWidth = 300
  ClientHeight = 300
  Color = clSkyBlue
  OnShow = FormSchowMid
  object Image1: TImage
    Left = 0
    Top = 0
    Width = 300
    Height = 300
    Stretch = True
    OnMouseDown = verschieben
  end
  object Label9: TLabel
    Left = 20
    Top = 12
    Width = 260
    Height = 13
    AutoSize = False
    Caption = 'Zahlen eingeben'
  end
  object DateTimePicker1: TDateTimePicker
    Left = 20
    Top = 32
    Width = 150
    Height = 21
    OnExit = datum
  end
  object Label1: TLabel
    Left = 20
    Top = 65
    Caption = 'Zahl 1:'
  end
  object Edit1: TEdit
    Left = 110
    Top = 62
    Width = 40
    Height = 21
    Text = '0'
    OnExit = z1
  end
  object Label2: TLabel
    Left = 20
    Top = 89
    Caption = 'Zahl 2:'
  end
  object Edit2: TEdit
    Left = 110
    Top = 86
    Width = 40
    Height = 21
    Text = '0'
    OnExit = z2
  end
  object Label3: TLabel
    Left = 20
    Top = 113
    Caption = 'Zahl 3:'
  end
  object Edit3: TEdit
    Left = 110
    Top = 110
    Width = 40
    Height = 21
    Text = '0'
    OnExit = z3
  end
  object Label4: TLabel
    Left = 20
    Top = 137
    Caption = 'Zahl 4:'
  end
  object Edit4: TEdit
    Left = 110
    Top = 134
    Width = 40
    Height = 21
    Text = '0'
    OnExit = z4
  end
  object Label5: TLabel
    Left = 20
    Top = 161
    Caption = 'Zahl 5:'
  end
  object Edit5: TEdit
    Left = 110
    Top = 158
    Width = 40
    Height = 21
    Text = '0'
    OnExit = z5
  end
  object Label6: TLabel
    Left = 20
    Top = 185
    Caption = 'Zahl 6:'
  end
  object Edit6: TEdit
    Left = 110
    Top = 182
    Width = 40
    Height = 21
    Text = '0'
    OnExit = z6
  end
  object Label7: TLabel
    Left = 20
    Top = 209
    Caption = 'Zusatzzahl:'
  end
  object Edit7: TEdit
    Left = 110
    Top = 206
    Width = 40
    Height = 21
    Text = '0'
    OnExit = zz
  end
  object Label8: TLabel
    Left = 20
    Top = 233
    Caption = 'Superzahl:'
  end
  object Edit8: TEdit
    Left = 110
    Top = 230
    Width = 40
    Height = 21
    Text = '0'
    OnExit = sz
  end
  object Button1: TButton
    Left = 60
    Top = 262
    Width = 75
    Height = 25
    Caption = 'Abbrechen'
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 165
    Top = 262
    Width = 75
    Height = 25
    Caption = 'OK'
    OnClick = Button2Click
  end
end
)zfm";
