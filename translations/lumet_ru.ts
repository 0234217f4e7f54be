<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Documents</name>
    <message>
        <source>Lumet set-ups (*.lumet)</source>
        <translation>Установки Lumet (*.lumet)</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>Рисунки PNG (*.png)</translation>
    </message>
    <message>
        <source>CSV tables (*.csv)</source>
        <translation>Таблицы CSV (*.csv)</translation>
    </message>
    <message>
        <source>Open set-up</source>
        <translation>Открыть установку</translation>
    </message>
    <message>
        <source>set-up.lumet</source>
        <translation>установка.lumet</translation>
    </message>
    <message>
        <source>Save set-up</source>
        <translation>Сохранить установку</translation>
    </message>
    <message>
        <source>-right.png</source>
        <translation>-правый.png</translation>
    </message>
    <message>
        <source>-lower.png</source>
        <translation>-нижний.png</translation>
    </message>
    <message>
        <source>Save right picture</source>
        <translation>Сохранить правый рисунок</translation>
    </message>
    <message>
        <source>Save lower picture</source>
        <translation>Сохранить нижний рисунок</translation>
    </message>
    <message>
        <source>Save result table</source>
        <translation>Сохранить таблицу результатов</translation>
    </message>
    <message>
        <source>-results.csv</source>
        <translation>-результаты.csv</translation>
    </message>
    <message>
        <source>Save series table</source>
        <translation>Сохранить таблицу серии</translation>
    </message>
    <message>
        <source>Save series graph</source>
        <translation>Сохранить график серии</translation>
    </message>
    <message>
        <source>PNG pictures at 2× the resolution, for print (*.png)</source>
        <translation>Рисунки PNG с разрешением ×2, для печати (*.png)</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Look in:</source>
        <translation>Папка:</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>Имя файла:</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>Тип файлов:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>Menus</name>
    <message>
        <source>Open set-up…</source>
        <translation>Открыть установку…</translation>
    </message>
    <message>
        <source>Open an experiment saved in a .lumet file</source>
        <translation>Открыть опыт, сохранённый в файле .lumet</translation>
    </message>
    <message>
        <source>Save set-up…</source>
        <translation>Сохранить установку…</translation>
    </message>
    <message>
        <source>Save every parameter of the experiment in a .lumet file</source>
        <translation>Сохранить все параметры опыта в файл .lumet</translation>
    </message>
    <message>
        <source>Save right picture…</source>
        <translation>Сохранить правый рисунок…</translation>
    </message>
    <message>
        <source>Save the right picture as PNG</source>
        <translation>Сохранить правый рисунок как PNG</translation>
    </message>
    <message>
        <source>Save lower picture…</source>
        <translation>Сохранить нижний рисунок…</translation>
    </message>
    <message>
        <source>Save the lower picture as PNG</source>
        <translation>Сохранить нижний рисунок как PNG</translation>
    </message>
    <message>
        <source>Save result table…</source>
        <translation>Сохранить таблицу результатов…</translation>
    </message>
    <message>
        <source>Save the trajectories&apos; times and integrals as a CSV table</source>
        <translation>Сохранить время и интегралы траекторий как таблицу CSV</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>End the work with the laboratory</source>
        <translation>Закончить работу с лабораторией</translation>
    </message>
    <message>
        <source>Copy result table</source>
        <translation>Копировать таблицу результатов</translation>
    </message>
    <message>
        <source>The trajectories&apos; times and integrals to the clipboard, for a spreadsheet</source>
        <translation>Время и интегралы траекторий в буфер обмена, для электронной таблицы</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>The manual of the laboratory</source>
        <translation>Руководство по работе с лабораторией</translation>
    </message>
    <message>
        <source>One step of the solution per tick of the timer (1 ms)</source>
        <translation>Один шаг решения за такт таймера (1 мс)</translation>
    </message>
    <message>
        <source>10 steps of the solution per tick of the timer</source>
        <translation>10 шагов решения за такт таймера</translation>
    </message>
    <message>
        <source>100 steps of the solution per tick of the timer</source>
        <translation>100 шагов решения за такт таймера</translation>
    </message>
    <message>
        <source>1000 steps of the solution per tick of the timer</source>
        <translation>1000 шагов решения за такт таймера</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Максимум</translation>
    </message>
    <message>
        <source>As many steps of the solution as the computer manages</source>
        <translation>Столько шагов решения, сколько успевает компьютер</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Правка</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>Experiments</source>
        <translation>Опыты</translation>
    </message>
    <message>
        <source>No ready experiments found</source>
        <translation>Готовые опыты не найдены</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Set-up properties…</source>
        <translation>Свойства установки…</translation>
    </message>
    <message>
        <source>The title and description of the experiment, saved with the set-up</source>
        <translation>Название и описание опыта, которые сохраняются вместе с установкой</translation>
    </message>
    <message>
        <source>Series of experiments…</source>
        <translation>Серия опытов…</translation>
    </message>
    <message>
        <source>Run the experiment for many values of one parameter: a table and a graph</source>
        <translation>Опыт при многих значениях одного параметра: таблица и график</translation>
    </message>
    <message>
        <source>Real time</source>
        <translation>Реальное время</translation>
    </message>
    <message>
        <source>One second of model time per second of the clock</source>
        <translation>Одна секунда модельного времени за секунду часов</translation>
    </message>
    <message>
        <source>Slow motion ×0.1</source>
        <translation>Замедленно ×0.1</translation>
    </message>
    <message>
        <source>A tenth of a second of model time per second of the clock</source>
        <translation>Десятая доля секунды модельного времени за секунду часов</translation>
    </message>
    <message>
        <source>Slow motion ×0.01</source>
        <translation>Замедленно ×0.01</translation>
    </message>
    <message>
        <source>A hundredth of a second of model time per second of the clock</source>
        <translation>Сотая доля секунды модельного времени за секунду часов</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Take back the last change of the set-up</source>
        <translation>Вернуть установку к тому, что было до последнего изменения</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Make the change taken back again</source>
        <translation>Снова сделать отменённое изменение</translation>
    </message>
    <message>
        <source>Default values</source>
        <translation>Исходные значения</translation>
    </message>
    <message>
        <source>Every parameter back at its default value</source>
        <translation>Все параметры - снова с исходными значениями</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Вписать</translation>
    </message>
    <message>
        <source>Scales Mx, M and Mt at which the start, the end, the rods and what is plotted fit the pictures</source>
        <translation>Масштабы Mx, M и Mt, при которых начало, конец, стержни и графики умещаются на картинках</translation>
    </message>
    <message>
        <source>Right picture: closer</source>
        <translation>Правая картинка: крупнее</translation>
    </message>
    <message>
        <source>Mx divided by 1.25</source>
        <translation>Mx делится на 1,25</translation>
    </message>
    <message>
        <source>Right picture: farther</source>
        <translation>Правая картинка: мельче</translation>
    </message>
    <message>
        <source>Mx times 1.25</source>
        <translation>Mx умножается на 1,25</translation>
    </message>
    <message>
        <source>Lower picture: time closer</source>
        <translation>Нижняя картинка: время крупнее</translation>
    </message>
    <message>
        <source>Mt divided by 1.25</source>
        <translation>Mt делится на 1,25</translation>
    </message>
    <message>
        <source>Lower picture: time farther</source>
        <translation>Нижняя картинка: время мельче</translation>
    </message>
    <message>
        <source>Mt times 1.25</source>
        <translation>Mt умножается на 1,25</translation>
    </message>
    <message>
        <source>Lower picture: values closer</source>
        <translation>Нижняя картинка: величины крупнее</translation>
    </message>
    <message>
        <source>M divided by 1.25</source>
        <translation>M делится на 1,25</translation>
    </message>
    <message>
        <source>Lower picture: values farther</source>
        <translation>Нижняя картинка: величины мельче</translation>
    </message>
    <message>
        <source>M times 1.25</source>
        <translation>M умножается на 1,25</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Вид</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
</context>
<context>
    <name>PictureOverlay</name>
    <message>
        <source>1-line</source>
        <translation>1-прямая</translation>
    </message>
    <message>
        <source>2-cycloid</source>
        <translation>2-циклоида</translation>
    </message>
    <message>
        <source>3-parabola</source>
        <translation>3-парабола</translation>
    </message>
    <message>
        <source>4-arc</source>
        <translation>4-дуга</translation>
    </message>
    <message>
        <source>5-none</source>
        <translation>5-нет</translation>
    </message>
    <message>
        <source>gravity field strength</source>
        <translation>напряжённость поля тяготения</translation>
    </message>
    <message>
        <source>electric field strength</source>
        <translation>напряжённость электрического поля</translation>
    </message>
    <message>
        <source>m</source>
        <translation>м</translation>
    </message>
    <message>
        <source>m/s</source>
        <translation>м/с</translation>
    </message>
    <message>
        <source>N</source>
        <translation>Н</translation>
    </message>
    <message>
        <source>J</source>
        <translation>Дж</translation>
    </message>
    <message>
        <source>kg·m/s</source>
        <translation>кг·м/с</translation>
    </message>
    <message>
        <source>k</source>
        <translation>к</translation>
    </message>
    <message>
        <source>M</source>
        <translation>М</translation>
    </message>
    <message>
        <source>G</source>
        <translation>Г</translation>
    </message>
    <message>
        <source>s</source>
        <translation>с</translation>
    </message>
</context>
<context>
    <name>lumet::AboutWindow</name>
    <message>
        <source>Distributed freely, for learning, without warranty.</source>
        <translation>Распространяется свободно, для учёбы, без гарантий.</translation>
    </message>
    <message>
        <source>Made by the developers of the Lumet laboratory.</source>
        <translation>Сделано разработчиками лаборатории Lumet.</translation>
    </message>
    <message>
        <source>The run log lumet.dat is written to the folder %1</source>
        <translation>Журнал опыта lumet.dat записывается в папку %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>lumet::MainWindow</name>
    <message>
        <source>In full: </source>
        <translation>Полностью: </translation>
    </message>
</context>
<context>
    <name>lumet::PictureLayer</name>
    <message>
        <source>X = %1 m, Y = %2 m</source>
        <translation>X = %1 м, Y = %2 м</translation>
    </message>
    <message>
        <source>u</source>
        <translation>ед.</translation>
    </message>
    <message>
        <source>T = %1 s, value = %2 %3</source>
        <translation>T = %1 с, величина = %2 %3</translation>
    </message>
    <message>
        <source>Drag the start point (circle), the end point (square) or the start speed&apos;s arrow (Shift: from the start point); 1 cm of the arrow stands for %1 m/s. The wheel changes Mx. With the picture in focus, 1, 2 and 3 choose the start, the end or the arrow, and the arrow keys move it (Shift: ten times as far).</source>
        <translation>Тяните начальную точку (кружок), конечную точку (квадрат) или стрелку начальной скорости (с клавишей смены регистра - от начальной точки); 1 см стрелки - %1 м/с. Колесо мыши меняет Mx. Когда картинка в фокусе, клавиши 1, 2 и 3 выбирают начало, конец или стрелку, а клавиши со стрелками двигают её (с клавишей смены регистра - в десять раз дальше).</translation>
    </message>
    <message>
        <source>The wheel changes Mt; with Shift, M.</source>
        <translation>Колесо мыши меняет Mt, с клавишей смены регистра - M.</translation>
    </message>
</context>
<context>
    <name>lumet::SeriesDialog</name>
    <message>
        <source>Series of experiments</source>
        <translation>Серия опытов</translation>
    </message>
    <message>
        <source>Parameter:</source>
        <translation>Параметр:</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>От:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>До:</translation>
    </message>
    <message>
        <source>Number of runs:</source>
        <translation>Число опытов:</translation>
    </message>
    <message>
        <source>Logarithmic spacing</source>
        <translation>Логарифмический шаг</translation>
    </message>
    <message>
        <source>The values grow by one factor from run to run (both bounds above 0)</source>
        <translation>Значения растут от опыта к опыту в одно и то же число раз (обе границы больше 0)</translation>
    </message>
    <message>
        <source>Time limit of a run, s:</source>
        <translation>Предел времени опыта, с:</translation>
    </message>
    <message>
        <source>1 000 000 steps</source>
        <translation>1 000 000 шагов</translation>
    </message>
    <message>
        <source>A run ends when every ticked trajectory has finished, at this model time, or at a failure</source>
        <translation>Опыт кончается, когда все отмеченные траектории дошли до конца, в это время модели или при ошибке</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Начать</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Graph:</source>
        <translation>График:</translation>
    </message>
    <message>
        <source>finish time, s</source>
        <translation>время движения, с</translation>
    </message>
    <message>
        <source>path, m</source>
        <translation>путь, м</translation>
    </message>
    <message>
        <source>integral of m1·V</source>
        <translation>интеграл m1·V</translation>
    </message>
    <message>
        <source>integral of T − U</source>
        <translation>интеграл T − U</translation>
    </message>
    <message>
        <source>integral of T</source>
        <translation>интеграл T</translation>
    </message>
    <message>
        <source>integral of T + U</source>
        <translation>интеграл T + U</translation>
    </message>
    <message>
        <source>E − E0 at the finish, J</source>
        <translation>E − E0 в конце, Дж</translation>
    </message>
    <message>
        <source>Copy table</source>
        <translation>Копировать таблицу</translation>
    </message>
    <message>
        <source>Put the table on the clipboard, tab-separated, for a spreadsheet</source>
        <translation>Поместить таблицу в буфер обмена, через табуляцию, для электронной таблицы</translation>
    </message>
    <message>
        <source>Save CSV…</source>
        <translation>Сохранить CSV…</translation>
    </message>
    <message>
        <source>Save PNG…</source>
        <translation>Сохранить PNG…</translation>
    </message>
    <message>
        <source>run</source>
        <translation>опыт</translation>
    </message>
    <message>
        <source>value</source>
        <translation>значение</translation>
    </message>
    <message>
        <source>trajectory</source>
        <translation>траектория</translation>
    </message>
    <message>
        <source>status</source>
        <translation>итог</translation>
    </message>
    <message>
        <source>time, s</source>
        <translation>время, с</translation>
    </message>
    <message>
        <source>m1·V</source>
        <translation>m1·V</translation>
    </message>
    <message>
        <source>T − U</source>
        <translation>T − U</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>T + U</source>
        <translation>T + U</translation>
    </message>
    <message>
        <source>E − E0, J</source>
        <translation>E − E0, Дж</translation>
    </message>
    <message>
        <source>message</source>
        <translation>сообщение</translation>
    </message>
    <message>
        <source>Running…</source>
        <translation>Идёт серия…</translation>
    </message>
    <message>
        <source>Cancelled: %1 of %2 runs kept</source>
        <translation>Отменено: сохранено %1 опытов из %2</translation>
    </message>
    <message>
        <source>%1 runs done</source>
        <translation>Опытов проведено: %1</translation>
    </message>
    <message>
        <source>finished</source>
        <translation>закончен</translation>
    </message>
    <message>
        <source>not finished</source>
        <translation>не закончен</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>ошибка</translation>
    </message>
    <message>
        <source>-series.csv</source>
        <translation>-серия.csv</translation>
    </message>
    <message>
        <source>-series.png</source>
        <translation>-серия.png</translation>
    </message>
</context>
<context>
    <name>lumet::SeriesGraph</name>
    <message>
        <source>× failed or not finished</source>
        <translation>× ошибка или не закончен</translation>
    </message>
</context>
<context>
    <name>lumet::SetupProperties</name>
    <message>
        <source>Set-up properties</source>
        <translation>Свойства установки</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
</context>
</TS>
