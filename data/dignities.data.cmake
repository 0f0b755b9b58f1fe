# The table of dignities (UTF-8 text, read by the "Таблица бальности" window).
astravia_copy_data(dignities.txt astravia_dignity_table)
