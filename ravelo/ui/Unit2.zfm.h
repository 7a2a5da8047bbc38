#pragma once
// Layout of the hit-count window.

inline constexpr const char* Unit2_zfm = R"zfm(object Form2: TForm2
  Left = 200
  Top = 200
  Caption = 'Form2'
  ClientWidth = 240
  ClientHeight = 200
  object Label8: TLabel
    Left = 16
    Top = 16
    Caption = '0'
  end
  object Label1: TLabel
    Left = 48
    Top = 16
    Caption = ':3'
  end
  object Label9: TLabel
    Left = 16
    Top = 36
    Caption = '0'
  end
  object Label2: TLabel
    Left = 48
    Top = 36
    Caption = ':4'
  end
  object Label10: TLabel
    Left = 16
    Top = 56
    Caption = '0'
  end
  object Label3: TLabel
    Left = 48
    Top = 56
    Caption = ':5'
  end
  object Label11: TLabel
    Left = 16
    Top = 76
    Caption = '0'
  end
  object Label4: TLabel
    Left = 48
    Top = 76
    Caption = ':6'
  end
  object Label12: TLabel
    Left = 16
    Top = 96
    Caption = '0'
  end
  object Label5: TLabel
    Left = 48
    Top = 96
    Caption = ':3+'
  end
  object Label13: TLabel
    Left = 16
    Top = 116
    Caption = '0'
  end
  object Label6: TLabel
    Left = 48
    Top = 116
    Caption = ':4+'
  end
  object Label14: TLabel
    Left = 16
    Top = 136
    Caption = '0'
  end
  object Label7: TLabel
    Left = 48
    Top = 136
    Caption = ':5+'
  end
  object Label15: TLabel
    Left = 16
    Top = 156
    Caption = '------------'
  end
  object Label16: TLabel
    Left = 48
    Top = 172
    Caption = 'Summe:'
  end
  object Label17: TLabel
    Left = 16
    Top = 172
    Caption = '0'
  end
  object Memo1: TMemo
    Left = 104
    Top = 16
    Width = 120
    Height = 170
    Color = clAqua
  end
end
)zfm";
