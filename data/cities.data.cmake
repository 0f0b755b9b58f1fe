# The city base (Windows-1251, six fields a line), made by tools/cities/convert_cities.py (see data/README.md).
astravia_copy_data(cities.txt astravia_city_base)
