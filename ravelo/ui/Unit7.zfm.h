#pragma once
// Layout of the favourites dialog.

inline constexpr const char* Unit7_zfm = R"zfm(object Form7: TForm7
  BorderStyle = bsNone
  Caption = 'Favoritten eingeben'
  ClientWidth = 300
  ClientHeight = 420
  Color = clSkyBlue
  OnShow = Mitte7
  object Image1: TImage
    Left = 0
    Top = 0
    Width = 300
    Height = 420
    Stretch = True
  end
  object Label1: TLabel
    Left = 16
    Top = 10
    Width = 268
    Height = 13
    AutoSize = False
    Caption = 'Gegeb Sie Ihre Zahlen ein.'
  end
  object Edit1: TEdit
    Left = 16
    Top = 34
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit2: TEdit
    Left = 61
    Top = 34
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit3: TEdit
    Left = 106
    Top = 34
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit4: TEdit
    Left = 151
    Top = 34
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit5: TEdit
    Left = 196
    Top = 34
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit6: TEdit
    Left = 241
    Top = 34
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit7: TEdit
    Left = 16
    Top = 58
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit8: TEdit
    Left = 61
    Top = 58
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit9: TEdit
    Left = 106
    Top = 58
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit10: TEdit
    Left = 151
    Top = 58
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit11: TEdit
    Left = 196
    Top = 58
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit12: TEdit
    Left = 241
    Top = 58
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit13: TEdit
    Left = 16
    Top = 82
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit14: TEdit
    Left = 61
    Top = 82
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit15: TEdit
    Left = 106
    Top = 82
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit16: TEdit
    Left = 151
    Top = 82
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit17: TEdit
    Left = 196
    Top = 82
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit18: TEdit
    Left = 241
    Top = 82
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit19: TEdit
    Left = 16
    Top = 106
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit20: TEdit
    Left = 61
    Top = 106
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit21: TEdit
    Left = 106
    Top = 106
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit22: TEdit
    Left = 151
    Top = 106
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit23: TEdit
    Left = 196
    Top = 106
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit24: TEdit
    Left = 241
    Top = 106
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit25: TEdit
    Left = 16
    Top = 130
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit26: TEdit
    Left = 61
    Top = 130
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit27: TEdit
    Left = 106
    Top = 130
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit28: TEdit
    Left = 151
    Top = 130
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit29: TEdit
    Left = 196
    Top = 130
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit30: TEdit
    Left = 241
    Top = 130
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit31: TEdit
    Left = 16
    Top = 154
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit32: TEdit
    Left = 61
    Top = 154
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit33: TEdit
    Left = 106
    Top = 154
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit34: TEdit
    Left = 151
    Top = 154
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit35: TEdit
    Left = 196
    Top = 154
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit36: TEdit
    Left = 241
    Top = 154
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit37: TEdit
    Left = 16
    Top = 178
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit38: TEdit
    Left = 61
    Top = 178
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit39: TEdit
    Left = 106
    Top = 178
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit40: TEdit
    Left = 151
    Top = 178
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit41: TEdit
    Left = 196
    Top = 178
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit42: TEdit
    Left = 241
    Top = 178
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit43: TEdit
    Left = 16
    Top = 202
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit44: TEdit
    Left = 61
    Top = 202
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit45: TEdit
    Left = 106
    Top = 202
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit46: TEdit
    Left = 151
    Top = 202
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit47: TEdit
    Left = 196
    Top = 202
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit48: TEdit
    Left = 241
    Top = 202
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit49: TEdit
    Left = 16
    Top = 226
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit50: TEdit
    Left = 61
    Top = 226
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit51: TEdit
    Left = 106
    Top = 226
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit52: TEdit
    Left = 151
    Top = 226
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit53: TEdit
    Left = 196
    Top = 226
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit54: TEdit
    Left = 241
    Top = 226
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit55: TEdit
    Left = 16
    Top = 250
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit56: TEdit
    Left = 61
    Top = 250
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit57: TEdit
    Left = 106
    Top = 250
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit58: TEdit
    Left = 151
    Top = 250
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit59: TEdit
    Left = 196
    Top = 250
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit60: TEdit
    Left = 241
    Top = 250
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit61: TEdit
    Left = 16
    Top = 274
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit62: TEdit
    Left = 61
    Top = 274
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit63: TEdit
    Left = 106
    Top = 274
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit64: TEdit
    Left = 151
    Top = 274
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit65: TEdit
    Left = 196
    Top = 274
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit66: TEdit
    Left = 241
    Top = 274
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit67: TEdit
    Left = 16
    Top = 298
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit68: TEdit
    Left = 61
    Top = 298
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit69: TEdit
    Left = 106
    Top = 298
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit70: TEdit
    Left = 151
    Top = 298
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit71: TEdit
    Left = 196
    Top = 298
    Width = 35
    Height = 21
    Text = '0'
  end
  object Edit72: TEdit
    Left = 241
    Top = 298
    Width = 35
    Height = 21
    Text = '0'
  end
  object Label2: TLabel
    Left = 16
    Top = 330
    Caption = 'Speichern unter:'
  end
  object Edit73: TEdit
    Left = 110
    Top = 326
    Width = 175
    Height = 21
    Text = 'meineFavoritten.txt'
    Enabled = False
  end
  object CheckBox1: TCheckBox
    Left = 16
    Top = 356
    Width = 250
    Height = 17
    Caption = 'meine Favoritten immer vergleichen'
  end
  object Button1: TButton
    Left = 60
    Top = 386
    Width = 75
    Height = 25
    Caption = 'Abbrechen'
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 165
    Top = 386
    Width = 75
    Height = 25
    Caption = 'OK'
    OnClick = Button2Click
  end
end
)zfm";
