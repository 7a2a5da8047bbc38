#pragma once
// Layout of the main window, read by TForm1's constructor.

inline constexpr const char* Unit1_zfm = R"zfm(object Form1: TForm1
  Left = 50
  Top = 50
  BorderStyle = bsNone
  Caption = 'Quenzel 2009'
  ClientHeight = 560
  ClientWidth = 660
  Color = clWhite
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  ShowHint = True
  OnKeyDown = Tasten_abfangen
  object Image1: TImage
    Left = 0
    Top = 0
    Width = 660
    Height = 560
  end
  object Image12: TImage
    Left = 0
    Top = 0
    Width = 667
    Height = 69
    OnMouseDown = verschieben_2
  end
  object SpeedButton1: TSpeedButton
    Left = 635
    Top = 8
    Width = 18
    Height = 18
    Hint = 'Beenden'
    Caption = 'x'
    Flat = True
    OnClick = beenden
  end
  object SpeedButton2: TSpeedButton
    Left = 611
    Top = 8
    Width = 18
    Height = 18
    Hint = 'In den Hintergrund'
    Caption = '_'
    Flat = True
    OnClick = SpeedButton2Click
  end
  object Image11: TImage
    Left = 14
    Top = 84
    Width = 140
    Height = 50
    Cursor = crHandPoint
    OnClick = Image11Click
  end
  object Label1: TLabel
    Left = 18
    Top = 213
    Width = 139
    Height = 67
    AutoSize = False
    Caption = 'Beschreibung:'
    Font.Color = clGray
    Font.Height = -11
    Font.Name = 'Arial Black'
    Transparent = True
    WordWrap = True
    OnMouseMove = test1
  end
  object Image2: TImage
    Left = 14
    Top = 290
    Width = 140
    Height = 48
    OnClick = Sarnik_click_
    OnMouseMove = aa
    OnMouseLeave = bb
  end
  object Image3: TImage
    Left = 14
    Top = 345
    Width = 140
    Height = 48
    OnClick = ssarnik
    OnMouseMove = ggggg
    OnMouseLeave = qqqq
  end
  object Image4: TImage
    Left = 14
    Top = 400
    Width = 140
    Height = 48
    OnClick = s2_click
    OnMouseMove = lllll
    OnMouseLeave = www
  end
  object Image5: TImage
    Left = 14
    Top = 455
    Width = 140
    Height = 48
    OnClick = s3_click
    OnMouseMove = cccc
    OnMouseLeave = ccc
  end
  object Image6: TImage
    Left = 572
    Top = 514
    Width = 80
    Height = 36
    OnClick = start_sw
    OnMouseMove = start_sw_move
    OnMouseUp = start_sw_up
    OnMouseLeave = start_sw_leave
  end
  object Image7: TImage
    Left = 572
    Top = 514
    Width = 80
    Height = 36
    Visible = False
    OnClick = start_bl
    OnMouseMove = start_bl_move
    OnMouseUp = start_bl_up
    OnMouseLeave = start_bl_leave
  end
  object Image8: TImage
    Left = 572
    Top = 514
    Width = 80
    Height = 36
    Visible = False
    OnClick = start_rt
    OnMouseMove = start_rt_move
    OnMouseUp = start_rt_up
    OnMouseLeave = start_rt_leave
  end
  object Image9: TImage
    Left = 572
    Top = 514
    Width = 80
    Height = 36
    Hint = 'Zahlen überprüft:|Sie haben ein Dreier!'
    Visible = False
    OnClick = start_gn
    OnMouseMove = start_gn_move
    OnMouseUp = start_gn_up
    OnMouseLeave = start_gn_leave
  end
  object Image10: TImage
    Left = 350
    Top = 310
    Width = 80
    Height = 36
    OnClick = start2_sw_click
    OnMouseMove = start2_sw_move
    OnMouseUp = start2_sw_up
    OnMouseLeave = start2_sw_leave
  end
  object Image13: TImage
    Left = 386
    Top = 78
    Width = 24
    Height = 24
    Hint = 'Profil speichern'
    OnClick = save_profil
    OnMouseMove = save_profil_move
    OnMouseUp = save_profil_Up
    OnMouseLeave = save_profil_leave
  end
  object Image14: TImage
    Left = 411
    Top = 78
    Width = 24
    Height = 24
    Hint = 'Profil löschen'
    OnClick = Profil_loeschen
    OnMouseMove = Profil_loesch_move
    OnMouseUp = Profil_loesch_Up
    OnMouseLeave = Profil_loesch_leave
  end
  object Image15: TImage
    Left = 411
    Top = 104
    Width = 24
    Height = 24
    Hint = 'History löschen'
    OnClick = History_loeschen
    OnMouseMove = Hist_loesch_move
    OnMouseUp = Hist_loesch_Up
    OnMouseLeave = Hist_loesch_leave
  end
  object Image20: TImage
    Left = 530
    Top = 40
    Width = 24
    Height = 24
    Hint = 'Hompage'
    OnClick = Image20Click
    OnMouseMove = Homepage_move
    OnMouseUp = Hompage_Up
    OnMouseLeave = Hompage_leave
  end
  object Image17: TImage
    Left = 556
    Top = 40
    Width = 24
    Height = 24
    Hint = 'Support'
    OnClick = Image17Click
    OnMouseMove = mail_move
    OnMouseUp = mail_Up
    OnMouseLeave = mail_leave
  end
  object Image18: TImage
    Left = 582
    Top = 40
    Width = 24
    Height = 24
    Hint = 'Hilfe'
    OnClick = Image18Click
    OnMouseMove = Help_move
    OnMouseUp = Help_Up
    OnMouseLeave = Help_leave
  end
  object Image24: TImage
    Left = 410
    Top = 178
    Width = 24
    Height = 24
    Hint = 'Lottozahlen-Update'
    OnClick = Image24Click
    OnMouseMove = update_move
    OnMouseUp = update_Up
    OnMouseLeave = update_leave
  end
  object Image23: TImage
    Left = 410
    Top = 208
    Width = 24
    Height = 24
    Hint = 'Lottozahlen eingeben'
    OnClick = Image23Click
    OnMouseMove = archiv_move
    OnMouseUp = archiv_Up
    OnMouseLeave = archiv_leave
  end
  object Image26: TImage
    Left = 410
    Top = 130
    Width = 24
    Height = 24
    Hint = 'Aufwärts sortieren?'
    Visible = False
    OnClick = Image26Click
    OnMouseMove = up_move
    OnMouseUp = up_up
    OnMouseLeave = up_leave
  end
  object Image27: TImage
    Left = 410
    Top = 156
    Width = 24
    Height = 24
    Hint = 'Abwärts sortieren?'
    Visible = False
    OnClick = Image27Click
    OnMouseMove = down_move
    OnMouseUp = down_up
    OnMouseLeave = down_leave
  end
  object Image28: TImage
    Left = 408
    Top = 440
    Width = 24
    Height = 24
    OnClick = Image28Click
    OnMouseMove = favorites_move
    OnMouseUp = favorites_up
    OnMouseLeave = favorites_leave
  end
  object Image19: TImage
    Left = 408
    Top = 474
    Width = 24
    Height = 24
    Hint = 'Drucken'
    OnClick = Image19Click
    OnMouseMove = Print_move
    OnMouseUp = Print_Up
    OnMouseLeave = Print_leave
  end
  object Image25: TImage
    Left = 320
    Top = 256
    Width = 24
    Height = 24
    Hint = 'Tippdatum ändern'
    Enabled = False
    Visible = False
  end
  object Image21: TImage
    Left = 440
    Top = 78
    Width = 100
    Height = 28
    OnClick = Image21Click
    OnMouseMove = g_archiv_move
    OnMouseLeave = g_archiv_leave
  end
  object Image22: TImage
    Left = 542
    Top = 78
    Width = 100
    Height = 28
    OnClick = Image22Click
    OnMouseMove = statistik_move
    OnMouseLeave = statistik_leave
  end
  object Label49: TLabel
    Left = 440
    Top = 110
    Width = 180
    Height = 13
    Caption = 'Datum:   1:  2:  3:  4:  5:  6:  Z:'
  end
  object Tabelle: TStringGrid
    Left = 440
    Top = 126
    Width = 216
    Height = 228
    Hint = 'Lottozahlen-Archiv'
    ColCount = 8
    RowCount = 2
    FixedCols = 0
    FixedRows = 0
    DefaultRowHeight = 15
    ColWidths = (50 22 17 17 17 17 17 17)
    OnClick = sortiere_Tabelle
    OnDrawCell = draw_tabelle
  end
  object Tabelle2: TStringGrid
    Left = 440
    Top = 126
    Width = 216
    Height = 228
    Hint = 'Statistik'
    Visible = False
    ColCount = 2
    RowCount = 49
    FixedCols = 0
    FixedRows = 0
    DefaultColWidth = 90
    DefaultRowHeight = 15
    OnClick = sortiere_Tabelle
    OnDrawCell = draw_tabelle
  end
  object ListBox1: TListBox
    Left = 440
    Top = 362
    Width = 216
    Height = 145
    Hint = 'Getippte Lottozahlen'
    Style = lbOwnerDrawVariable
    ItemHeight = 16
    OnDrawItem = drawItem
  end
  object RadioGroup1: TRadioGroup
    Left = 215
    Top = 135
    Width = 185
    Height = 55
    Caption = 'Welches Archiv anzeigen?'
    ItemIndex = 0
    Items.Strings = (
        '6 aus 49'
        '6 aus 45')
  end
  object RadioGroup2: TRadioGroup
    Left = 215
    Top = 135
    Width = 185
    Height = 55
    Caption = 'Welche Statistik anzeigen?'
    ItemIndex = 0
    Items.Strings = (
        'Wie Lange nicht gezogen'
        'Wie oft gezogen seit')
    Visible = False
  end
  object CheckBox21: TCheckBox
    Left = 215
    Top = 196
    Width = 190
    Height = 17
    Caption = 'Beim Start aut. aktualisieren?'
    Checked = True
    OnClick = expertenModus
  end
  object CheckBox1: TCheckBox
    Left = 215
    Top = 216
    Width = 120
    Height = 17
    Caption = 'Experten Modus'
    OnClick = expertenModus
    OnMouseMove = ExpertMove
    OnMouseLeave = expertLeave
  end
  object CheckBox22: TCheckBox
    Left = 215
    Top = 236
    Width = 190
    Height = 17
    Caption = 'Zwischenablage überwachen'
    OnClick = CheckBox22Click
  end
  object DateTimePicker2: TDateTimePicker
    Left = 225
    Top = 256
    Width = 212
    Height = 21
    Hint = 'Tippdatum'
    DateFormat = dfLong
    OnChange = TippDatumAendern
  end
  object Label34: TLabel
    Left = 170
    Top = 82
    Width = 30
    Height = 13
    Caption = 'Profil:'
  end
  object ComboBox3: TComboBox
    Left = 215
    Top = 78
    Width = 165
    Height = 21
    Hint = 'Profile'
    OnClick = Profil_reade
  end
  object Label33: TLabel
    Left = 170
    Top = 108
    Width = 40
    Height = 13
    Caption = 'History:'
  end
  object ComboBox2: TComboBox
    Left = 215
    Top = 104
    Width = 194
    Height = 21
    Hint = 'History'
    OnClick = starte_History
  end
  object Label32: TLabel
    Left = 180
    Top = 284
    Width = 40
    Height = 13
    Caption = 'Zahlen:'
  end
  object TrackBar1: TTrackBar
    Left = 225
    Top = 280
    Width = 150
    Height = 25
    Hint = 'Anzahl festlegen'
    Min = 18
    Max = 30
    Position = 20
    OnChange = zahl_wechseln
  end
  object Label45: TLabel
    Left = 380
    Top = 284
    Width = 12
    Height = 13
    Caption = '20'
  end
  object Label59: TLabel
    Left = 180
    Top = 314
    Width = 20
    Height = 13
    Caption = 'bis:'
  end
  object DateTimePicker1: TDateTimePicker
    Left = 225
    Top = 310
    Width = 110
    Height = 21
  end
  object RadioButton1: TRadioButton
    Left = 215
    Top = 355
    Width = 14
    Height = 17
    Checked = True
    OnClick = RadioButton1Click
  end
  object Label50: TLabel
    Left = 230
    Top = 357
    Caption = 'Zufallsgenerator'
    OnClick = Label50Click
  end
  object RadioButton2: TRadioButton
    Left = 345
    Top = 355
    Width = 14
    Height = 17
    OnClick = RadioButton2Click
  end
  object Label53: TLabel
    Left = 360
    Top = 357
    Caption = 'Wie lange nicht gezogen'
    OnClick = Label53Click
  end
  object RadioButton3: TRadioButton
    Left = 525
    Top = 355
    Width = 14
    Height = 17
    OnClick = RadioButton3Click
  end
  object Label54: TLabel
    Left = 540
    Top = 357
    Caption = 'Zwillinge'
    OnClick = Label54Click
  end
  object RadioButton4: TRadioButton
    Left = 215
    Top = 375
    Width = 14
    Height = 17
    OnClick = RadioButton4Click
  end
  object Label47: TLabel
    Left = 230
    Top = 377
    Caption = 'Zahlen von Statistik übernehmen'
    OnClick = Label47Click
  end
  object RadioButton5: TRadioButton
    Left = 435
    Top = 375
    Width = 14
    Height = 17
    OnClick = RadioButton5Click
  end
  object Label61: TLabel
    Left = 450
    Top = 377
    Caption = 'Persönliche Zahlen eingeben'
    OnClick = Label61Click
  end
  object Label51: TLabel
    Left = 605
    Top = 357
    Width = 30
    Height = 13
    Caption = 'Neu   '
    Font.Color = clRed
    Font.Style = [fsBold]
  end
  object CheckBox2: TCheckBox
    Left = 215
    Top = 395
    Width = 80
    Height = 17
    Caption = 'Schritt 1'
    Checked = True
    OnClick = expertenModus
  end
  object CheckBox3: TCheckBox
    Left = 215
    Top = 425
    Width = 80
    Height = 17
    Caption = 'Schritt 2'
    Checked = True
    OnClick = expertenModus
  end
  object CheckBox4: TCheckBox
    Left = 215
    Top = 455
    Width = 80
    Height = 17
    Caption = 'Schritt 3'
    Checked = True
    OnClick = expertenModus
  end
  object Label2: TLabel
    Left = 215
    Top = 400
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '1'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label3: TLabel
    Left = 255
    Top = 400
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '2'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label4: TLabel
    Left = 295
    Top = 400
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '3'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label5: TLabel
    Left = 335
    Top = 400
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '4'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label6: TLabel
    Left = 375
    Top = 400
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '5'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label7: TLabel
    Left = 415
    Top = 400
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '6'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label8: TLabel
    Left = 455
    Top = 400
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '7'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label9: TLabel
    Left = 495
    Top = 400
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '8'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label10: TLabel
    Left = 535
    Top = 400
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '9'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label11: TLabel
    Left = 575
    Top = 400
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '10'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label12: TLabel
    Left = 215
    Top = 435
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '11'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label13: TLabel
    Left = 255
    Top = 435
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '12'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label14: TLabel
    Left = 295
    Top = 435
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '13'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label15: TLabel
    Left = 335
    Top = 435
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '14'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label16: TLabel
    Left = 375
    Top = 435
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '15'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label17: TLabel
    Left = 415
    Top = 435
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '16'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label18: TLabel
    Left = 455
    Top = 435
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '17'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label19: TLabel
    Left = 495
    Top = 435
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '18'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label20: TLabel
    Left = 535
    Top = 435
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '19'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label21: TLabel
    Left = 575
    Top = 435
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '20'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label22: TLabel
    Left = 215
    Top = 470
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '21'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label23: TLabel
    Left = 255
    Top = 470
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '22'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label24: TLabel
    Left = 295
    Top = 470
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '23'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label25: TLabel
    Left = 335
    Top = 470
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '24'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label26: TLabel
    Left = 375
    Top = 470
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '25'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label27: TLabel
    Left = 415
    Top = 470
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '26'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label28: TLabel
    Left = 455
    Top = 470
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '27'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label29: TLabel
    Left = 495
    Top = 470
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '28'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label30: TLabel
    Left = 535
    Top = 470
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '29'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Label31: TLabel
    Left = 575
    Top = 470
    Width = 30
    Height = 28
    AutoSize = False
    Alignment = taCenter
    Layout = tlCenter
    Caption = '30'
    Font.Color = clBlue
    Font.Name = 'Arial Black'
    Font.Size = 15
    Transparent = True
  end
  object Edit9: TEdit
    Left = 215
    Top = 400
    Width = 31
    Height = 21
    Text = '1'
  end
  object Edit10: TEdit
    Left = 255
    Top = 400
    Width = 31
    Height = 21
    Text = '2'
  end
  object Edit11: TEdit
    Left = 295
    Top = 400
    Width = 31
    Height = 21
    Text = '3'
  end
  object Edit12: TEdit
    Left = 335
    Top = 400
    Width = 31
    Height = 21
    Text = '4'
  end
  object Edit13: TEdit
    Left = 375
    Top = 400
    Width = 31
    Height = 21
    Text = '5'
  end
  object Edit14: TEdit
    Left = 415
    Top = 400
    Width = 31
    Height = 21
    Text = '6'
  end
  object Edit15: TEdit
    Left = 455
    Top = 400
    Width = 31
    Height = 21
    Text = '7'
  end
  object Edit16: TEdit
    Left = 495
    Top = 400
    Width = 31
    Height = 21
    Text = '8'
  end
  object Edit17: TEdit
    Left = 535
    Top = 400
    Width = 31
    Height = 21
    Text = '9'
  end
  object Edit18: TEdit
    Left = 575
    Top = 400
    Width = 31
    Height = 21
    Text = '10'
  end
  object Edit19: TEdit
    Left = 215
    Top = 435
    Width = 31
    Height = 21
    Text = '11'
  end
  object Edit20: TEdit
    Left = 255
    Top = 435
    Width = 31
    Height = 21
    Text = '12'
  end
  object Edit21: TEdit
    Left = 295
    Top = 435
    Width = 31
    Height = 21
    Text = '13'
  end
  object Edit22: TEdit
    Left = 335
    Top = 435
    Width = 31
    Height = 21
    Text = '14'
  end
  object Edit23: TEdit
    Left = 375
    Top = 435
    Width = 31
    Height = 21
    Text = '15'
  end
  object Edit24: TEdit
    Left = 415
    Top = 435
    Width = 31
    Height = 21
    Text = '16'
  end
  object Edit25: TEdit
    Left = 455
    Top = 435
    Width = 31
    Height = 21
    Text = '17'
  end
  object Edit26: TEdit
    Left = 495
    Top = 435
    Width = 31
    Height = 21
    Text = '18'
  end
  object Edit27: TEdit
    Left = 535
    Top = 435
    Width = 31
    Height = 21
    Text = '19'
  end
  object Edit28: TEdit
    Left = 575
    Top = 435
    Width = 31
    Height = 21
    Text = '20'
  end
  object Edit29: TEdit
    Left = 215
    Top = 470
    Width = 31
    Height = 21
    Text = '21'
  end
  object Edit30: TEdit
    Left = 255
    Top = 470
    Width = 31
    Height = 21
    Text = '22'
  end
  object Edit31: TEdit
    Left = 295
    Top = 470
    Width = 31
    Height = 21
    Text = '23'
  end
  object Edit32: TEdit
    Left = 335
    Top = 470
    Width = 31
    Height = 21
    Text = '24'
  end
  object Edit33: TEdit
    Left = 375
    Top = 470
    Width = 31
    Height = 21
    Text = '25'
  end
  object Edit34: TEdit
    Left = 415
    Top = 470
    Width = 31
    Height = 21
    Text = '26'
  end
  object Edit35: TEdit
    Left = 455
    Top = 470
    Width = 31
    Height = 21
    Text = '27'
  end
  object Edit36: TEdit
    Left = 495
    Top = 470
    Width = 31
    Height = 21
    Text = '28'
  end
  object Edit37: TEdit
    Left = 535
    Top = 470
    Width = 31
    Height = 21
    Text = '29'
  end
  object Edit38: TEdit
    Left = 575
    Top = 470
    Width = 31
    Height = 21
    Text = '30'
  end
  object CheckBox5: TCheckBox
    Left = 215
    Top = 355
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label35: TLabel
    Left = 232
    Top = 357
    Caption = 'Gerade/Ungerade'
    OnClick = Label35Click
  end
  object Edit1: TEdit
    Left = 360
    Top = 355
    Width = 30
    Height = 21
    Text = '6'
  end
  object CheckBox6: TCheckBox
    Left = 215
    Top = 380
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label37: TLabel
    Left = 232
    Top = 382
    Caption = '2xTrillinge'
    OnClick = Label37Click
  end
  object Edit2: TEdit
    Left = 360
    Top = 380
    Width = 30
    Height = 21
    Text = '6'
  end
  object CheckBox7: TCheckBox
    Left = 215
    Top = 405
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label36: TLabel
    Left = 232
    Top = 407
    Caption = 'Vierlinge'
    OnClick = Label36Click
  end
  object CheckBox8: TCheckBox
    Left = 215
    Top = 430
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label38: TLabel
    Left = 232
    Top = 432
    Caption = 'Gleiche Endziffer'
    OnClick = Label38Click
  end
  object Edit3: TEdit
    Left = 360
    Top = 430
    Width = 30
    Height = 21
    Text = '5'
  end
  object CheckBox9: TCheckBox
    Left = 215
    Top = 455
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label39: TLabel
    Left = 232
    Top = 457
    Caption = 'Vertikal Raum'
    OnClick = Label39Click
  end
  object Edit4: TEdit
    Left = 360
    Top = 455
    Width = 30
    Height = 21
    Text = '6'
  end
  object CheckBox10: TCheckBox
    Left = 400
    Top = 355
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label40: TLabel
    Left = 417
    Top = 357
    Caption = 'Vierlinge nacheinander'
    OnClick = Label40Click
  end
  object CheckBox11: TCheckBox
    Left = 400
    Top = 380
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label41: TLabel
    Left = 417
    Top = 382
    Caption = '3xZwillinge'
    OnClick = Label41Click
  end
  object CheckBox12: TCheckBox
    Left = 400
    Top = 405
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label42: TLabel
    Left = 417
    Top = 407
    Caption = 'Hoch/Tief'
    OnClick = Label42Click
  end
  object CheckBox13: TCheckBox
    Left = 400
    Top = 430
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label43: TLabel
    Left = 417
    Top = 432
    Caption = 'Querschnitt'
    OnClick = Label43Click
  end
  object Edit6: TEdit
    Left = 556
    Top = 430
    Width = 30
    Height = 21
    Text = '60'
  end
  object Label60: TLabel
    Left = 589
    Top = 432
    Width = 6
    Caption = '-'
  end
  object Edit7: TEdit
    Left = 598
    Top = 430
    Width = 30
    Height = 21
    Text = '250'
  end
  object CheckBox14: TCheckBox
    Left = 400
    Top = 455
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label44: TLabel
    Left = 417
    Top = 457
    Caption = 'Gespielte Varianten'
    OnClick = Label44Click
  end
  object Edit5: TEdit
    Left = 556
    Top = 455
    Width = 30
    Height = 21
    Text = '6'
  end
  object Label46: TLabel
    Left = 215
    Top = 360
    Width = 80
    Height = 13
    Caption = 'Tippvorschläge:'
    Font.Color = clBlack
  end
  object Edit8: TEdit
    Left = 320
    Top = 355
    Width = 30
    Height = 21
    Text = '12'
    Font.Color = clBlack
  end
  object CheckBox15: TCheckBox
    Left = 215
    Top = 385
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label48: TLabel
    Left = 232
    Top = 387
    Caption = 'Nacheinanderkommende'
    OnClick = Label48Click
  end
  object CheckBox16: TCheckBox
    Left = 215
    Top = 410
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label52: TLabel
    Left = 232
    Top = 412
    Caption = 'Gerade und ungerade'
    OnClick = Label52Click
  end
  object CheckBox17: TCheckBox
    Left = 215
    Top = 435
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label55: TLabel
    Left = 232
    Top = 437
    Caption = 'Gleiche Endziffer'
    OnClick = Label55Click
  end
  object CheckBox18: TCheckBox
    Left = 215
    Top = 460
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label56: TLabel
    Left = 232
    Top = 462
    Caption = 'Vierlinge'
    OnClick = Label56Click
  end
  object CheckBox19: TCheckBox
    Left = 215
    Top = 485
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label57: TLabel
    Left = 232
    Top = 487
    Caption = 'Tief und Hoch'
    OnClick = Label57Click
  end
  object CheckBox20: TCheckBox
    Left = 215
    Top = 510
    Width = 14
    Height = 17
    Checked = True
    OnClick = expertenModus
  end
  object Label58: TLabel
    Left = 232
    Top = 512
    Caption = 'Querschnitt'
    OnClick = Label58Click
  end
  object ProgressBar1: TProgressBar
    Left = 215
    Top = 520
    Width = 340
    Height = 12
    Max = 10
    Step = 1
  end
  object Animate1: TAnimate
    Left = 235
    Top = 174
    Width = 206
    Height = 206
  end
  object Animate2: TAnimate
    Left = 250
    Top = 240
    Width = 160
    Height = 80
    Visible = False
  end
  object RichEdit1: TRichEdit
    Left = 180
    Top = 70
    Width = 10
    Height = 10
    Visible = False
  end
  object Timer1: TTimer
    Interval = 30
    OnTimer = Timer1Timer
  end
  object Timer2: TTimer
    Interval = 30
    OnTimer = Timer2Timer
  end
  object ImageList1: TImageList
  end
  object TrayIcon1: TTrayIcon
    Hint = 'Quenzel 2009'
    BalloonHint = 'Wartet im Hintergrund!'
    BalloonTitle = 'Quenzel 2009'
    BalloonFlags = bfInfo
    OnClick = start_PopUp_mit_click
    OnDblClick = start_PopUp_mit_double
  end
  object TrayIcon2: TTrayIcon
    Hint = 'Quenzel 2009'
    BalloonHint = 'Lottozahlen werden aktualisiert!'
    BalloonTitle = 'Quenzel 2009'
    BalloonFlags = bfInfo
  end
  object TrayIcon3: TTrayIcon
    Hint = 'Quenzel 2009'
    BalloonHint = 'Die Zwischenablage wird überwacht!'
    BalloonTitle = 'Quenzel 2009'
    BalloonFlags = bfInfo
  end
  object PopupMenu1: TPopupMenu
    object Wiederherstellen1: TMenuItem
      Caption = 'Wiederherstellen'
      Hint = 'Programm maximieren'
      OnClick = Wiederherstellen1Click
    end
    object Update1: TMenuItem
      Caption = 'Update'
      Hint = 'Nach Updates suchen'
      OnClick = Update1Click
    end
    object Beenden1: TMenuItem
      Caption = 'Beenden'
      Hint = 'Programm Beenden'
      OnClick = Beenden1Click
    end
  end
  object PrintDialog1: TPrintDialog
  end
end
)zfm";
